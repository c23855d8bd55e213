#include "pdf_pages.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace pagette::testing {
namespace {

QString run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) {
    throw std::runtime_error((program + " " + arguments.join(' ') +
                              " failed: " + QString::fromLocal8Bit(process.readAllStandardError()))
                                 .toStdString());
  }
  return QString::fromLocal8Bit(process.readAllStandardOutput());
}

}  // namespace

PdfInfo pdfInfo(const std::string& pdf) {
  const QString text = run("pdfinfo", {QString::fromStdString(pdf)});
  PdfInfo info;
  auto pages = QRegularExpression(R"(Pages:\s+(\d+))").match(text);
  auto size = QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)").match(text);
  if (!pages.hasMatch() || !size.hasMatch())
    throw std::runtime_error("pdfinfo: " + text.toStdString());
  info.pages = pages.captured(1).toInt();
  info.width = size.captured(1).toDouble();
  info.height = size.captured(2).toDouble();
  info.title = QRegularExpression(R"(Title:\s+([^\n]*))").match(text).captured(1).toStdString();
  return info;
}

std::string pdfText(const std::string& pdf, int page) {
  const QString number = QString::number(page);
  return run("pdftotext", {"-raw", "-enc", "UTF-8", "-f", number, "-l", number,
                           QString::fromStdString(pdf), "-"})
      .toStdString();
}

std::vector<PdfWord> pdfWords(const std::string& pdf, int page) {
  const QString number = QString::number(page);
  const QString html = run("pdftotext", {"-bbox", "-enc", "UTF-8", "-f", number, "-l", number,
                                         QString::fromStdString(pdf), "-"});
  std::vector<PdfWord> words;
  auto matches = QRegularExpression(
                     R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re")
                     .globalMatch(html);
  while (matches.hasNext()) {
    auto m = matches.next();
    words.push_back({m.captured(5).toStdString(), m.captured(1).toDouble(),
                     m.captured(2).toDouble(), m.captured(3).toDouble(), m.captured(4).toDouble()});
  }
  return words;
}

std::vector<std::pair<double, double>> pdfPageSizes(const std::string& pdf) {
  const int pages = pdfInfo(pdf).pages;
  const QString text =
      run("pdfinfo", {"-f", "1", "-l", QString::number(pages), QString::fromStdString(pdf)});
  std::vector<std::pair<double, double>> sizes;
  auto matches =
      QRegularExpression(R"(Page +\d+ size: +([\d.]+) x ([\d.]+) pts)").globalMatch(text);
  while (matches.hasNext()) {
    auto match = matches.next();
    sizes.emplace_back(match.captured(1).toDouble(), match.captured(2).toDouble());
  }
  return sizes;
}

GreyPage::GreyPage(const std::string& pdf, int page, int dotsPerInch) : dotsPerInch_(dotsPerInch) {
  QTemporaryDir folder;
  const QString stem = folder.filePath("page");
  const QString number = QString::number(page);
  run("pdftoppm", {"-gray", "-r", QString::number(dotsPerInch), "-f", number, "-l", number,
                   "-singlefile", QString::fromStdString(pdf), stem});
  std::ifstream in((stem + ".pgm").toStdString(), std::ios::binary);
  std::string magic;
  int maximum = 0;
  in >> magic >> width_ >> height_ >> maximum;
  in.get();
  if (magic != "P5" || maximum != 255 || width_ <= 0 || height_ <= 0)
    throw std::runtime_error("pdftoppm wrote no grey page");
  pixels_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
  in.read(reinterpret_cast<char*>(pixels_.data()), static_cast<std::streamsize>(pixels_.size()));
}

int GreyPage::darkestAround(double xTwips, double yTwips, int halfSize) const {
  const int cx = static_cast<int>(xTwips * dotsPerInch_ / 1440.0);
  const int cy = static_cast<int>(yTwips * dotsPerInch_ / 1440.0);
  int darkest = 255;
  for (int y = std::max(0, cy - halfSize); y <= std::min(height_ - 1, cy + halfSize); ++y)
    for (int x = std::max(0, cx - halfSize); x <= std::min(width_ - 1, cx + halfSize); ++x)
      darkest = std::min<int>(darkest, pixels_[static_cast<std::size_t>(y * width_ + x)]);
  return darkest;
}

}  // namespace pagette::testing
