#pragma once

#include <string>

namespace muhtasar_print {

// How a report names a field of the form to the accountant: its row on the
// form and its caption, then the line of the print file it comes from
// («6 numaralı satır, Soyadı / Ünvanı (BORDMHT1.DAT 20. satır)»). UTF-8.
std::string fieldTitle(const std::string& fieldName);

// The same for a cell of Table III's payee row (1..62); column 0..4.
std::string payeeCellTitle(int row, int column);

}  // namespace muhtasar_print
