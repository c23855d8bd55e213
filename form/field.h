#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace form {

enum class FieldKind { Text, Amount, Display, Check };

// One named field of the declaration. Texts are code page 1254 bytes, exactly
// as the store and the print file hold them. Every change of a field's value,
// whoever makes it, is announced to its listeners in the order they subscribed:
// first the handler bound by the form (the live totals), then the window.
class Field {
 public:
  using Listener = std::function<void()>;

  Field(std::string name, FieldKind kind);
  virtual ~Field() = default;
  Field(const Field&) = delete;
  Field& operator=(const Field&) = delete;

  const std::string& name() const { return name_; }
  FieldKind kind() const { return kind_; }

  void subscribe(Listener listener);

 protected:
  void notify() const;

 private:
  std::string name_;
  FieldKind kind_;
  std::vector<Listener> listeners_;
};

// A single-line edit field.
class TextField : public Field {
 public:
  TextField(std::string name, std::string initialText);
  const std::string& text() const { return text_; }
  // Raises the change event only when the text differs from the current one.
  void setText(std::string text);

 private:
  std::string text_;
};

// A static text that only the program sets.
class DisplayField : public Field {
 public:
  DisplayField(std::string name, std::string initialCaption);
  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);

 private:
  std::string caption_;
};

class CheckBox : public Field {
 public:
  explicit CheckBox(std::string name);
  bool checked() const { return checked_; }
  void setChecked(bool checked);

 private:
  bool checked_ = false;
};

}  // namespace form
