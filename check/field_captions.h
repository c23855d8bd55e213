#pragma once

#include <string>

namespace check {

// How the form names a field to the accountant, UTF-8: its row on the form
// and its caption («6 numaralı satır, Soyadı / Ünvanı»); the field's name
// for a field that has none.
std::string fieldCaption(const std::string& fieldName);

// The same for a cell of Table III's payee row (1..62); column 0..4.
std::string payeeCellCaption(int row, int column);

}  // namespace check
