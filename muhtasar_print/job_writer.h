#pragma once

#include <string>

namespace muhtasar_print {

struct Colour {
  int red = 0;
  int green = 0;
  int blue = 0;
};

inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kMaroon{128, 0, 0};
inline constexpr Colour kWhite{255, 255, 255};

struct TextStyle {
  double points = 8;
  bool bold = false;
  bool italic = false;
  Colour colour = kBlack;
};

// Writes pagette's print job records, one a line: 13 numbers and a text. Rows
// and columns are those of the grid that setUp() defines.
class JobWriter {
 public:
  void setUp(int page, int rows, int columns, double margin, double baseFontSize,
             const std::string& fontName);
  // Texts are code page 1254; a double quote cannot stand in a record and is
  // written as "~", which pagette turns back.
  enum class Align { Left = 0, Right = 1, Centre = 2 };
  // Italic goes in field 9, which pagette reads for texts only.
  void text(int page, double row, double column, double width, Align align,
            const TextStyle& style, const std::string& text);
  void horizontalLine(int page, double row, double column, double length, int lineWidth,
                      Colour colour);
  void verticalLine(int page, double row, double column, double length, int lineWidth,
                    Colour colour);
  void frame(int page, double row, double column, double width, double height, int lineWidth,
             Colour colour);
  void filledBox(int page, double row, double column, double width, double height, Colour colour);

  const std::string& job() const { return job_; }
  double baseFontSize() const { return baseFontSize_; }

 private:
  void record(std::initializer_list<double> numbers, const std::string& text);

  std::string job_;
  double baseFontSize_ = 8;
};

}  // namespace muhtasar_print
