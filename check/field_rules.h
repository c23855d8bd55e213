#pragma once
// The rules of the check that look at one field's text, and the small text
// helpers they share. Texts are code page 1254; messages UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace check {

bool isBlank(std::string_view text);
std::string trimmed(std::string_view text);
std::string toUtf8(std::string_view cp1254);

// The months (1..12) that a period text names, "EKİM-ARALIK 2026" naming
// October to December; in any letter case.
std::vector<int> monthsNamedIn(std::string_view period);
std::string monthName(int month);

// The problem of a text field's own text that the window frames as it is
// typed: a payment type code that is not three digits, a tax or identity
// number that does not hold, a payee's number of neither 10 nor 11 digits.
// Empty for a fine or an empty field, and for any other field.
std::string textFieldProblem(std::string_view field, std::string_view text);

// The payment type code of a withholding row or a payee row.
bool isCodeField(std::string_view field);

// The gross amount field beside a tax amount field (rows 8-16, Table III);
// empty for any other field.
std::string grossFieldOf(std::string_view taxField);

// An e-mail address, area code or telephone number that is not of its form;
// empty for a fine or an empty field, and for any other field.
std::string contactProblem(std::string_view field, std::string_view text);

}  // namespace check
