#pragma once

#include <string_view>

namespace form {

// The two numbers that identify a taxpayer to the tax office: the tax number
// (10 digits) of a company or a person, and the national identity number
// (11 digits) of a person. Both end in check digits, so that a mistyped
// digit shows before the declaration reaches the office.
enum class IdentityKind { TaxNumber, IdentityNumber };

// What is wrong with a typed number; None for a valid number and for a text
// with nothing but blanks in it.
enum class IdentityProblem { None, NotDigits, WrongLength, LeadingZero, CheckDigit };

// Checks a whole field's text: blanks before and after the digits are
// allowed, anything else besides the digits is not.
IdentityProblem checkIdentityNumber(IdentityKind kind, std::string_view text);

// Which check a field's text gets. The payee's column "Vergi Dairesi ve
// Vergi Kimlik No" holds the tax office and then the number, so only a run of
// 10 or 11 digits at its end is checked there.
enum class IdentityFieldCheck { None, TaxNumber, IdentityNumber, NumberAtEnd };
IdentityFieldCheck identityFieldCheckOf(std::string_view fieldName);

// The problem of a field's text under its check. For NumberAtEnd the kind
// follows the number of digits at the end; other endings are not checked.
struct IdentityFinding {
  IdentityKind kind = IdentityKind::TaxNumber;
  IdentityProblem problem = IdentityProblem::None;
};
IdentityFinding checkIdentityField(IdentityFieldCheck check, std::string_view text);

}  // namespace form
