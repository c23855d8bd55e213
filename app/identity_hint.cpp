#include "app/identity_hint.h"

#include "check/field_rules.h"
#include "form/identity_number.h"

namespace app {

std::string identityHint(std::string_view fieldName, std::string_view cp1254Text) {
  const form::IdentityFieldCheck check = form::identityFieldCheckOf(fieldName);
  if (check == form::IdentityFieldCheck::None) return {};
  const form::IdentityFinding finding = form::checkIdentityField(check, cp1254Text);
  const bool tax = finding.kind == form::IdentityKind::TaxNumber;
  switch (finding.problem) {
    case form::IdentityProblem::None:
      return {};
    case form::IdentityProblem::NotDigits:
      return tax ? "Vergi kimlik numarası yalnız rakamlardan oluşmalı"
                 : "T.C. kimlik numarası yalnız rakamlardan oluşmalı";
    case form::IdentityProblem::WrongLength:
      return tax ? "Vergi kimlik numarası 10 haneli olmalı" : "T.C. kimlik numarası 11 haneli olmalı";
    case form::IdentityProblem::LeadingZero:
      return "T.C. kimlik numarası 0 ile başlayamaz";
    case form::IdentityProblem::CheckDigit:
      return tax ? "Vergi kimlik numarasının kontrol hanesi tutmuyor"
                 : "T.C. kimlik numarasının kontrol hanesi tutmuyor";
  }
  return {};
}

bool takesIdentityNumber(std::string_view fieldName) {
  return form::identityFieldCheckOf(fieldName) != form::IdentityFieldCheck::None;
}

std::string textFieldHint(std::string_view fieldName, std::string_view cp1254Text) {
  // A payee's number is framed only where its ending is a number that does
  // not hold: while the tax office is typed before it, the field stays calm,
  // and the check's list names a number that is missing.
  if (takesIdentityNumber(fieldName)) return identityHint(fieldName, cp1254Text);
  return check::textFieldProblem(fieldName, cp1254Text);
}

bool takesTextFieldHint(std::string_view fieldName) {
  return takesIdentityNumber(fieldName) || check::isCodeField(fieldName);
}

}  // namespace app
