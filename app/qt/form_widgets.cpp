#include "app/qt/form_widgets.h"

#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include "app/qt/amount_field_edit.h"
#include "app/qt/component_look.h"
#include "app/qt/display_field_label.h"
#include "app/focus_context.h"
#include "app/qt/field_check_box.h"
#include "app/qt/text_field_edit.h"
#include "check/field_rules.h"
#include "check/form_values.h"
#include "form/catalogue.h"
#include "form/form.h"
#include "form/key_filters.h"

namespace app {
namespace {

// A panel: a container with a thin single-line border and no bevel.
class BorderedPanel : public QFrame {
 public:
  using QFrame::QFrame;

 protected:
  void paintEvent(QPaintEvent*) override { drawThinBorder(*this); }
};

Qt::Alignment alignmentOf(const form::Component& c) {
  const Qt::Alignment across =
      c.alignment == form::Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
  return across | (c.wordWrap ? Qt::AlignTop : Qt::AlignVCenter);
}

// Labels are drawn on their container's face, under every field and box that
// overlaps them.
QWidget* makeLabel(const form::Component& c, QWidget* parent, ComponentLooks& looks,
                   const form::Component* container) {
  // Plain text from the start: the caption is laid out once, as plain text.
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setText(QString::fromStdString(c.caption));
  label->lower();
  // Sized to its text below: the font comes first.
  looks.apply(*label, c, container);
  if (c.width > 0 && c.height > 0) {
    label->setAlignment(alignmentOf(c));
    label->setGeometry(c.left, c.top, c.width, c.height);
  } else {
    label->adjustSize();
    label->move(c.left, c.top);
  }
  return label;
}

QWidget* makePayeeList(const form::Component& c, QWidget* parent, FormWidgets& widgets) {
  auto* box = new QScrollArea(parent);
  box->setFrameShape(QFrame::NoFrame);
  box->setFocusPolicy(Qt::NoFocus);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->viewport()->setBackgroundRole(QPalette::Window);
  auto* rows = new QWidget;
  const int lastRowBottom = 19 * form::kPayeeRows - 17 + 20;
  const int scrollBar = box->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  rows->setFixedSize(c.width - scrollBar, lastRowBottom + 2);
  box->setWidget(rows);
  box->setGeometry(c.left, c.top, c.width, c.height);
  widgets.payeeList = box;
  return rows;
}

}  // namespace

QWidget* FormWidgets::find(std::string_view name) const {
  auto it = byName.find(name);
  return it == byName.end() ? nullptr : it->second;
}

namespace {

struct Container {
  QWidget* widget;
  const form::Component* component;  // nullptr for the content itself
};
using Containers = std::map<std::string, Container, std::less<>>;

// Builds the components of the catalogue from the next one to be built up to end.
void buildComponents(form::Form& form, const HandlerEdge& edge, FormWidgets& widgets,
                     Containers& containers, std::size_t end) {
  ComponentLooks looks;
  const auto& catalogue = form::catalogue();
  for (; widgets.built < end; ++widgets.built) {
    const form::Component& c = catalogue[widgets.built];
    const Container& container = containers.at(c.parent);
    QWidget* parent = container.widget;
    QWidget* widget = nullptr;
    switch (c.kind) {
      case form::ComponentKind::TextField:
        widget =
            new TextFieldEdit(form.edit(c.name), form::keyFilterFor(c.keyHandler), edge, parent);
        break;
      case form::ComponentKind::AmountField: {
        auto* amount = new AmountFieldEdit(form.maskEdit(c.name), edge, parent);
        const std::string gross = check::grossFieldOf(c.name);
        if (!gross.empty()) {
          amount->setHint([&form, name = c.name] { return check::formFieldProblem(form, name); });
          form.maskEdit(c.name).subscribe([amount] { amount->showHint(); });
          form.maskEdit(gross).subscribe([amount] { amount->showHint(); });
        }
        widget = amount;
        break;
      }
      case form::ComponentKind::DisplayField: {
        auto* label = new DisplayFieldLabel(form.staticText(c.name), parent);
        label->setAlignment(alignmentOf(c));
        label->setWordWrap(c.wordWrap);
        widget = label;
        break;
      }
      case form::ComponentKind::CheckBox: {
        auto* box = new FieldCheckBox(form.checkBox(c.name), edge, parent);
        box->setText(QString::fromStdString(c.caption));
        box->setCaptionLeftOfBox(c.captionLeftOfBox);
        widget = box;
        break;
      }
      case form::ComponentKind::Label:
        widget = makeLabel(c, parent, looks, container.component);
        break;
      case form::ComponentKind::Panel:
        widget = new BorderedPanel(parent);
        containers.emplace(c.name, Container{widget, &c});
        break;
      case form::ComponentKind::ScrollBox:
        containers.emplace(c.name, Container{makePayeeList(c, parent, widgets), &c});
        widget = widgets.payeeList;
        break;
    }
    widget->setObjectName(QString::fromStdString(c.name));
    if (c.kind != form::ComponentKind::Label) {
      looks.apply(*widget, c, container.component);
      if (c.kind != form::ComponentKind::ScrollBox)
        widget->setGeometry(c.left, c.top, c.width, c.height);
    }
    if (widget->parentWidget() != nullptr && widget->parentWidget()->isVisible()) widget->show();
    widgets.byName.emplace(c.name, widget);
  }
}

// The containers of the widgets built so far, by the names children give.
Containers containersOf(const FormWidgets& widgets) {
  Containers containers = {{"", {widgets.content, nullptr}}};
  for (std::size_t i = 0; i < widgets.built; ++i) {
    const form::Component& c = form::catalogue()[i];
    if (c.kind == form::ComponentKind::Panel)
      containers.emplace(c.name, Container{widgets.find(c.name), &c});
    else if (c.kind == form::ComponentKind::ScrollBox)
      containers.emplace(c.name, Container{widgets.payeeList->widget(), &c});
  }
  return containers;
}

}  // namespace

FormWidgets buildFormWidgets(form::Form& form, const HandlerEdge& edge, int seenHeight) {
  FormWidgets widgets;
  widgets.content = new QWidget;
  widgets.content->setMinimumSize(kClientContentWidth, form::kClientContentHeight);
  ComponentLooks looks;
  looks.applyWindowLook(*widgets.content);
  Containers containers = containersOf(widgets);
  buildComponents(form, edge, widgets, containers, firstComponentBelow(seenHeight));
  return widgets;
}

void buildRestOfForm(form::Form& form, const HandlerEdge& edge, FormWidgets& widgets) {
  Containers containers = containersOf(widgets);
  buildComponents(form, edge, widgets, containers, form::catalogue().size());
}

}  // namespace app
