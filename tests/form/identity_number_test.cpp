#include "form/identity_number.h"

#include <gtest/gtest.h>

#include <string>

namespace form {
namespace {

using Kind = IdentityKind;
using Problem = IdentityProblem;

TEST(IdentityNumber, WholeFieldTexts) {
  struct Case {
    Kind kind;
    std::string text;
    Problem problem;
  };
  const Case cases[] = {
      {Kind::TaxNumber, "4630127892", Problem::None},
      {Kind::TaxNumber, "1234567890", Problem::None},
      {Kind::TaxNumber, "0000000001", Problem::None},  // a tax number may start with 0
      {Kind::TaxNumber, "9999999994", Problem::None},
      {Kind::TaxNumber, "  4630127892 ", Problem::None},
      {Kind::TaxNumber, "", Problem::None},
      {Kind::TaxNumber, "   ", Problem::None},
      {Kind::TaxNumber, "4630127895", Problem::CheckDigit},
      {Kind::TaxNumber, "463012789", Problem::WrongLength},
      {Kind::TaxNumber, "46301278920", Problem::WrongLength},
      {Kind::TaxNumber, "0", Problem::WrongLength},
      {Kind::TaxNumber, "46301 27892", Problem::NotDigits},
      {Kind::TaxNumber, "463012789O", Problem::NotDigits},
      {Kind::TaxNumber, "\t4630127892", Problem::NotDigits},
      {Kind::TaxNumber, "4630127892.", Problem::NotDigits},
      {Kind::TaxNumber, "-4630127892", Problem::NotDigits},
      {Kind::IdentityNumber, "10000000146", Problem::None},
      {Kind::IdentityNumber, "28764190546", Problem::None},
      {Kind::IdentityNumber, "12345678950", Problem::None},
      {Kind::IdentityNumber, "99999999990", Problem::None},
      {Kind::IdentityNumber, " 10000000146  ", Problem::None},
      {Kind::IdentityNumber, "", Problem::None},
      {Kind::IdentityNumber, "28764190532", Problem::CheckDigit},
      {Kind::IdentityNumber, "10000000140", Problem::CheckDigit},  // d10 right, d11 wrong
      {Kind::IdentityNumber, "10000000157", Problem::CheckDigit},  // d11 right for a wrong d10
      {Kind::IdentityNumber, "01000000014", Problem::LeadingZero},
      {Kind::IdentityNumber, "00000000000", Problem::LeadingZero},
      {Kind::IdentityNumber, "1000000014", Problem::WrongLength},
      {Kind::IdentityNumber, "100000001460", Problem::WrongLength},
      {Kind::IdentityNumber, "4630127892", Problem::WrongLength},
      {Kind::IdentityNumber, "1000000014a", Problem::NotDigits},
      {Kind::IdentityNumber, "10000 000146", Problem::NotDigits},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(checkIdentityNumber(c.kind, c.text), c.problem) << "«" << c.text << "»";
  }
}

// One mistyped digit, anywhere, never passes: every other digit at every place.
TEST(IdentityNumber, EverySingleDigitChangeIsCaught) {
  struct Valid {
    Kind kind;
    std::string number;
  };
  for (const Valid& v :
       {Valid{Kind::TaxNumber, "4630127892"}, Valid{Kind::TaxNumber, "0000000001"},
        Valid{Kind::IdentityNumber, "28764190546"}, Valid{Kind::IdentityNumber, "10000000146"}}) {
    ASSERT_EQ(checkIdentityNumber(v.kind, v.number), Problem::None) << v.number;
    for (size_t place = 0; place < v.number.size(); ++place) {
      for (char d = '0'; d <= '9'; ++d) {
        if (d == v.number[place]) continue;
        std::string changed = v.number;
        changed[place] = d;
        const Problem expected = v.kind == Kind::IdentityNumber && place == 0 && d == '0'
                                     ? Problem::LeadingZero
                                     : Problem::CheckDigit;
        EXPECT_EQ(checkIdentityNumber(v.kind, changed), expected) << changed;
      }
    }
  }
}

TEST(IdentityNumber, FieldsAndTheirChecks) {
  struct Case {
    const char* field;
    IdentityFieldCheck check;
  };
  const Case cases[] = {
      {"Edit3", IdentityFieldCheck::TaxNumber},      {"Edit22", IdentityFieldCheck::TaxNumber},
      {"Edit4", IdentityFieldCheck::IdentityNumber}, {"Edit23", IdentityFieldCheck::IdentityNumber},
      {"Edit30", IdentityFieldCheck::NumberAtEnd},   {"Edit33", IdentityFieldCheck::NumberAtEnd},
      {"Edit213", IdentityFieldCheck::NumberAtEnd},  {"Edit29", IdentityFieldCheck::None},
      {"Edit31", IdentityFieldCheck::None},          {"Edit214", IdentityFieldCheck::None},
      {"Edit27", IdentityFieldCheck::None},          {"Edit216", IdentityFieldCheck::None},
      {"Edit030", IdentityFieldCheck::None},         {"Edit5_3", IdentityFieldCheck::None},
      {"MaskEdit30", IdentityFieldCheck::None},      {"Edit", IdentityFieldCheck::None},
  };
  for (const Case& c : cases) EXPECT_EQ(identityFieldCheckOf(c.field), c.check) << c.field;
}

TEST(IdentityNumber, NumberAtTheEndOfThePayeesTaxOffice) {
  struct Case {
    std::string text;
    Kind kind;
    Problem problem;
  };
  const Case cases[] = {
      {"KADIK\xD6Y 4630127892", Kind::TaxNumber, Problem::None},
      {"KADIK\xD6Y 4630127893", Kind::TaxNumber, Problem::CheckDigit},
      {"VD4630127893  ", Kind::TaxNumber, Problem::CheckDigit},
      {"4630127893", Kind::TaxNumber, Problem::CheckDigit},
      {"G\xD6KSU V.D. 10000000146 ", Kind::IdentityNumber, Problem::None},
      {"G\xD6KSU 10000000147", Kind::IdentityNumber, Problem::CheckDigit},
      {"G\xD6KSU 01234567890", Kind::IdentityNumber, Problem::LeadingZero},
      // Not a number of either length at the end: nothing to check.
      {"KADIK\xD6Y 463012789", Kind::TaxNumber, Problem::None},
      {"KADIK\xD6Y 463012789312", Kind::TaxNumber, Problem::None},
      {"4630127893 KADIK\xD6Y", Kind::TaxNumber, Problem::None},
      {"", Kind::TaxNumber, Problem::None},
  };
  for (const Case& c : cases) {
    const IdentityFinding found = checkIdentityField(IdentityFieldCheck::NumberAtEnd, c.text);
    EXPECT_EQ(found.problem, c.problem) << c.text;
    if (c.problem != Problem::None) {
      EXPECT_EQ(found.kind, c.kind) << c.text;
    }
  }
}

}  // namespace
}  // namespace form
