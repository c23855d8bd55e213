#include "gdi_printer.h"

#include <winspool.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "job_error.h"

namespace pagette {
namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kTwipsPerTenthMillimetre = 1440 / 254.0;

std::string utf8Of(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(std::max(size, 0)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}

COLORREF colourOf(Rgb colour) {
  return RGB(colour.red, colour.green, colour.blue);
}

// The job numbers the hatches as Windows' brushes do: 2 horizontal, 3
// vertical, 4 upward and 5 downward diagonal, 6 cross, 7 diagonal cross.
HBRUSH brushOf(int fillStyle, Rgb colour) {
  switch (fillStyle) {
    case kSolidFill:
      return CreateSolidBrush(colourOf(colour));
    case 2:
      return CreateHatchBrush(HS_HORIZONTAL, colourOf(colour));
    case 3:
      return CreateHatchBrush(HS_VERTICAL, colourOf(colour));
    case 4:
      return CreateHatchBrush(HS_BDIAGONAL, colourOf(colour));
    case 5:
      return CreateHatchBrush(HS_FDIAGONAL, colourOf(colour));
    case 6:
      return CreateHatchBrush(HS_CROSS, colourOf(colour));
    case 7:
      return CreateHatchBrush(HS_DIAGCROSS, colourOf(colour));
    default:
      return nullptr;  // hollow
  }
}

}  // namespace

// The printer behind the device context: its name and its settings, which
// the paper and the orientation change.
struct GdiPrinter::Device {
  std::wstring name;
  std::wstring documentName;
  std::wstring outputFile;  // empty: to the printer
  std::vector<BYTE> settings;
  DEVMODEW* mode() { return reinterpret_cast<DEVMODEW*>(settings.data()); }

  std::vector<WORD> papers() {
    const int count = DeviceCapabilitiesW(name.c_str(), nullptr, DC_PAPERS, nullptr, mode());
    if (count <= 0) return {};
    std::vector<WORD> codes(static_cast<std::size_t>(count));
    DeviceCapabilitiesW(name.c_str(), nullptr, DC_PAPERS, reinterpret_cast<LPWSTR>(codes.data()),
                        mode());
    return codes;
  }

  // The sheet that the settings describe, in twips, as it lies.
  PageSize sheet() {
    const std::vector<WORD> codes = papers();
    const auto at = std::find(codes.begin(), codes.end(), mode()->dmPaperSize);
    std::vector<POINT> sizes(codes.size());
    if (at == codes.end() ||
        DeviceCapabilitiesW(name.c_str(), nullptr, DC_PAPERSIZE,
                            reinterpret_cast<LPWSTR>(sizes.data()), mode()) < 0) {
      return {};
    }
    const POINT tenths = sizes[std::size_t(at - codes.begin())];
    PageSize size{int(std::lround(tenths.x * kTwipsPerTenthMillimetre)),
                  int(std::lround(tenths.y * kTwipsPerTenthMillimetre))};
    if (mode()->dmOrientation == DMORIENT_LANDSCAPE) std::swap(size.width, size.height);
    return size;
  }
};

std::unique_ptr<GdiPrinter> GdiPrinter::openDefault(const std::wstring& documentName) {
  DWORD length = 0;
  GetDefaultPrinterW(nullptr, &length);
  std::wstring name(length, L'\0');
  if (length == 0 || !GetDefaultPrinterW(name.data(), &length)) {
    throw JobError("there is no default printer");
  }
  name.resize(length - 1);
  return openNamed(name, documentName);
}

bool GdiPrinter::printerExists(const std::wstring& printerName) {
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(printerName.c_str()), &printer, nullptr)) return false;
  ClosePrinter(printer);
  return true;
}

std::unique_ptr<GdiPrinter> GdiPrinter::openNamed(const std::wstring& printerName,
                                                  const std::wstring& documentName,
                                                  const std::wstring& outputFile) {
  std::wstring name = printerName;
  const std::string shown = "the printer \"" + utf8Of(name) + "\" ";
  auto device = std::make_unique<Device>();
  device->name = name;
  device->documentName = documentName;
  device->outputFile = outputFile;
  HANDLE printer = nullptr;
  if (!OpenPrinterW(name.data(), &printer, nullptr)) throw JobError(shown + "cannot be opened");
  const LONG bytes = DocumentPropertiesW(nullptr, printer, name.data(), nullptr, nullptr, 0);
  if (bytes > 0) device->settings.resize(std::size_t(bytes));
  const bool read = bytes > 0 && DocumentPropertiesW(nullptr, printer, name.data(), device->mode(),
                                                     nullptr, DM_OUT_BUFFER) == IDOK;
  ClosePrinter(printer);
  if (!read) throw JobError(shown + "gives no settings");
  HDC dc = CreateDCW(L"WINSPOOL", name.c_str(), nullptr, device->mode());
  if (!dc) throw JobError(shown + "cannot be opened");
  return std::unique_ptr<GdiPrinter>(new GdiPrinter(std::move(device), dc,
                                                    GetDeviceCaps(dc, LOGPIXELSX),
                                                    GetDeviceCaps(dc, LOGPIXELSY)));
}

std::unique_ptr<GdiPrinter> GdiPrinter::drawOn(HDC dc, int dotsPerInchX, int dotsPerInchY,
                                               PageSize sheet, int onlySheet) {
  std::unique_ptr<GdiPrinter> printer(new GdiPrinter(nullptr, dc, dotsPerInchX, dotsPerInchY));
  printer->sheet_ = sheet;
  printer->onlySheet_ = onlySheet;
  return printer;
}

GdiPrinter::GdiPrinter(std::unique_ptr<Device> device, HDC dc, int dotsPerInchX, int dotsPerInchY)
    : device_(std::move(device)),
      dc_(dc),
      dotsPerInchX_(dotsPerInchX),
      dotsPerInchY_(dotsPerInchY),
      measurer_(dc, dotsPerInchX, dotsPerInchY) {
  if (device_) applyPaper();
}

GdiPrinter::~GdiPrinter() {
  if (documentBegun_) AbortDoc(dc_);
  SelectObject(dc_, GetStockObject(BLACK_PEN));
  if (pen_) DeleteObject(pen_);
  if (device_) DeleteDC(dc_);
}

bool GdiPrinter::setPaperSize(int code) {
  if (!device_) return true;
  const std::vector<WORD> codes = device_->papers();
  if (std::find(codes.begin(), codes.end(), code) == codes.end()) return false;
  device_->mode()->dmPaperSize = static_cast<short>(code);
  device_->mode()->dmFields |= DM_PAPERSIZE;
  applyPaper();
  return true;
}

void GdiPrinter::setOrientation(Orientation orientation) {
  if (!device_) return;
  device_->mode()->dmOrientation =
      orientation == Orientation::Landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  device_->mode()->dmFields |= DM_ORIENTATION;
  applyPaper();
}

// A sheet that is being drawn keeps its paper: the new one starts with the next.
void GdiPrinter::applyPaper() {
  if (sheetOpen_) {
    paperChanged_ = true;
    return;
  }
  paperChanged_ = false;
  if (!ResetDCW(dc_, device_->mode())) throw JobError("the printer does not take the paper");
  sheet_ = {int(std::lround(GetDeviceCaps(dc_, PHYSICALWIDTH) * kTwipsPerInch / dotsPerInchX_)),
            int(std::lround(GetDeviceCaps(dc_, PHYSICALHEIGHT) * kTwipsPerInch / dotsPerInchY_))};
  offset_ = {GetDeviceCaps(dc_, PHYSICALOFFSETX), GetDeviceCaps(dc_, PHYSICALOFFSETY)};
}

PageSize GdiPrinter::pageSize() {
  return paperChanged_ ? device_->sheet() : sheet_;
}

POINT GdiPrinter::dotOf(float x, float y) const {
  return {static_cast<LONG>(std::lround(x * dotsPerInchX_ / kTwipsPerInch)) - offset_.x,
          static_cast<LONG>(std::lround(y * dotsPerInchY_ / kTwipsPerInch)) - offset_.y};
}

void GdiPrinter::check(bool done, const char* what) {
  if (!done) {
    throw JobError(std::string("the printer cannot ") + what + " (Windows error " +
                   std::to_string(GetLastError()) + ")");
  }
}

bool GdiPrinter::beginOutput() {
  drewAnything_ = true;
  if (!device_) return onlySheet_ < 0 || sheetIndex_ == onlySheet_;
  if (!documentBegun_) {
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = device_->documentName.c_str();
    if (!device_->outputFile.empty()) document.lpszOutput = device_->outputFile.c_str();
    check(StartDocW(dc_, &document) > 0, "start a document");
    documentBegun_ = true;
  }
  if (!sheetOpen_) startSheet();
  return true;
}

void GdiPrinter::startSheet() {
  if (paperChanged_) applyPaper();
  check(StartPage(dc_) > 0, "start a sheet");
  sheetOpen_ = true;
  forgetSelections();
}

// Some drivers start a sheet with the device context's defaults.
void GdiPrinter::forgetSelections() {
  penSelected_ = false;
  textStateSet_ = false;
  measurer_.forgetSelection();
}

void GdiPrinter::selectPen() {
  if (!pen_ || !(penColour_ == foreground_) || penWidth_ != lineWidth_) {
    HPEN pen = CreatePen(PS_SOLID, lineWidth_, colourOf(foreground_));
    SelectObject(dc_, pen);
    if (pen_) DeleteObject(pen_);
    pen_ = pen;
    penColour_ = foreground_;
    penWidth_ = lineWidth_;
  } else if (!penSelected_) {
    SelectObject(dc_, pen_);
  }
  penSelected_ = true;
}

void GdiPrinter::printText(float x, float y, const std::string& text) {
  if (!beginOutput()) return;
  measurer_.selectFont();
  if (!textStateSet_ || !(textColour_ == foreground_)) {
    SetTextAlign(dc_, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, colourOf(foreground_));
    textStateSet_ = true;
    textColour_ = foreground_;
  }
  const std::wstring wide = GdiMeasurer::wideText(text);
  const POINT at = dotOf(x, y);
  TextOutW(dc_, at.x, at.y, wide.c_str(), static_cast<int>(wide.size()));
}

void GdiPrinter::drawLine(float x1, float y1, float x2, float y2) {
  if (!beginOutput()) return;
  selectPen();
  const POINT from = dotOf(x1, y1);
  const POINT to = dotOf(x2, y2);
  MoveToEx(dc_, from.x, from.y, nullptr);
  LineTo(dc_, to.x, to.y);
  // GDI leaves a line's last dot out; the line ends where the job says.
  SetPixelV(dc_, to.x, to.y, colourOf(foreground_));
}

void GdiPrinter::drawRectangle(float x1, float y1, float x2, float y2) {
  if (!beginOutput()) return;
  selectPen();
  HBRUSH fill = brushOf(fillStyle_, fillColour_);
  HGDIOBJ before = SelectObject(dc_, fill ? static_cast<HGDIOBJ>(fill) : GetStockObject(NULL_BRUSH));
  SetBkMode(dc_, TRANSPARENT);
  const POINT a = dotOf(std::min(x1, x2), std::min(y1, y2));
  const POINT b = dotOf(std::max(x1, x2), std::max(y1, y2));
  // The outline stands on both corners: GDI draws it inside the right and bottom edges.
  Rectangle(dc_, a.x, a.y, b.x + 1, b.y + 1);
  SelectObject(dc_, before);
  if (fill) DeleteObject(fill);
}

void GdiPrinter::fillRectangle(float x1, float y1, float x2, float y2) {
  if (!beginOutput()) return;
  const POINT a = dotOf(std::min(x1, x2), std::min(y1, y2));
  const POINT b = dotOf(std::max(x1, x2), std::max(y1, y2));
  const RECT area{a.x, a.y, b.x, b.y};
  HBRUSH brush = CreateSolidBrush(colourOf(foreground_));
  FillRect(dc_, &area, brush);
  DeleteObject(brush);
}

// A change of page before any output still leaves the first sheet empty behind it.
void GdiPrinter::newPage() {
  if (!device_) {
    drewAnything_ = true;
    ++sheetIndex_;
    return;
  }
  beginOutput();
  ++sheetIndex_;
  check(EndPage(dc_) > 0, "end a sheet");
  sheetOpen_ = false;
}

void GdiPrinter::endDocument() {
  // A job without output sends nothing, not even an empty sheet.
  if (!documentBegun_) return;
  if (!sheetOpen_) startSheet();
  check(EndPage(dc_) > 0, "end a sheet");
  sheetOpen_ = false;
  check(EndDoc(dc_) > 0, "end the document");
  documentBegun_ = false;
}

}  // namespace pagette
