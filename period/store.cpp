// Placeholder bodies so the program links while the store is being written.
#include "period/store.h"

#include "form/form.h"

namespace period {
std::string storePath() { return {}; }
const std::vector<std::string>& storedFieldNames() {
  static const std::vector<std::string> none;
  return none;
}
StoreSnapshot StoreSnapshot::read() { return StoreSnapshot(); }
bool StoreSnapshot::declarationExists(std::string_view) const { return false; }
std::string StoreSnapshot::storedValue(std::string_view, std::string_view) const { return {}; }
bool DeclarationExists(std::string_view) { return false; }
std::string StoredValue(std::string_view, std::string_view) { return {}; }
void LoadDeclaration(form::Form&, std::string_view) {}
void SaveDeclaration(const form::Form&, std::string_view) {}
}  // namespace period
