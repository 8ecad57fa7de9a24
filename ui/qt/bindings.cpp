#include "ui/qt/bindings.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/list_controls.h"

namespace ui::qt {
namespace {

// A label without a control to hand its access key to would show the mark as "&": drop it,
// keep "&&" as "&".
QString WithoutAccessKeys(const std::string& caption) {
  QString out;
  const QString text = Q(caption);
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

QColor FromBgr(long color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

// A list whose horizontal scroll range is the extent the program set, as on the original
// platform, rather than what Qt computes from the items. In a multi-select list Space toggles
// the current item, and a click while Space is held toggles the clicked one (as Ctrl+click).
class ExtentList : public QListWidget {
 public:
  using QListWidget::QListWidget;
  void SetExtent(int pixels) {
    extent_ = pixels;
    updateGeometries();
  }

 protected:
  void updateGeometries() override {
    QListWidget::updateGeometries();
    horizontalScrollBar()->setRange(0, std::max(0, extent_ - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (!TogglesWithSpace(event)) return QListWidget::keyPressEvent(event);
    if (!event->isAutoRepeat()) {
      spaceHeld_ = true;
      clickedWithSpace_ = false;
    }
  }
  // Space acts when it is let go, so that Space+click toggles only the clicked item.
  void keyReleaseEvent(QKeyEvent* event) override {
    if (!TogglesWithSpace(event) || event->isAutoRepeat() || !spaceHeld_) return QListWidget::keyReleaseEvent(event);
    spaceHeld_ = false;
    if (!clickedWithSpace_ && currentIndex().isValid())
      selectionModel()->select(currentIndex(), QItemSelectionModel::Toggle);
  }
  void focusOutEvent(QFocusEvent* event) override {
    spaceHeld_ = false;
    QListWidget::focusOutEvent(event);
  }
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override {
    if (spaceHeld_ && event && event->type() == QEvent::MouseButtonPress) {
      clickedWithSpace_ = true;
      return QItemSelectionModel::Toggle;
    }
    return QListWidget::selectionCommand(index, event);
  }

 private:
  bool TogglesWithSpace(const QKeyEvent* event) const {
    return event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier &&
           selectionMode() != QAbstractItemView::SingleSelection;
  }

  int extent_ = 0;
  bool spaceHeld_ = false;
  mutable bool clickedWithSpace_ = false;
};

template <class Model>
Model& As(Control& control) {
  return static_cast<Model&>(control);
}

class LabelBinding : public Binding {
 public:
  LabelBinding(FormWindow& window, Control& control, QWidget* parent) : Binding(window, control, new QLabel(parent)) {
    auto* label = static_cast<QLabel*>(widget_);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
  }
  void Sync() override {
    auto& model = As<Label>(control_);
    auto* label = static_cast<QLabel*>(widget_);
    label->setText(label->buddy() ? Q(model.Caption()) : WithoutAccessKeys(model.Caption()));
    const Qt::Alignment across = model.Alignment() == vbCenter         ? Qt::AlignHCenter
                                 : model.Alignment() == vbRightJustify ? Qt::AlignRight
                                                                       : Qt::AlignLeft;
    label->setAlignment(across | Qt::AlignTop);  // text starts at a label's top, however tall
    label->setAutoFillBackground(model.BackStyle() == vbOpaque);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, FromBgr(model.BackColor()));
    label->setPalette(palette);
    label->setFrameShape(model.BorderStyle() == vbFixedSingle ? QFrame::Box : QFrame::NoFrame);
  }
};

class FrameBinding : public Binding {
 public:
  FrameBinding(FormWindow& window, Control& control, QWidget* parent)
      : Binding(window, control, new QGroupBox(parent)) {}
  void Sync() override { static_cast<QGroupBox*>(widget_)->setTitle(Q(control_.Caption())); }
};

class ButtonBinding : public Binding {
 public:
  ButtonBinding(FormWindow& window, Control& control, QWidget* parent)
      : Binding(window, control, new QPushButton(parent)) {
    QObject::connect(static_cast<QPushButton*>(widget_), &QPushButton::clicked, Context(), [this] {
      if (control_.IsUsable()) control_.RaiseClick();
    });
  }
  void Sync() override {
    auto* button = static_cast<QPushButton*>(widget_);
    button->setText(Q(control_.Caption()));
    button->setDefault(As<CommandButton>(control_).Default());
  }
};

class CheckBinding : public Binding {
 public:
  CheckBinding(FormWindow& window, Control& control, QWidget* parent)
      : Binding(window, control, new QCheckBox(parent)) {
    QObject::connect(static_cast<QCheckBox*>(widget_), &QCheckBox::clicked, Context(), [this](bool checked) {
      As<CheckBox>(control_).SetValue(checked ? vbChecked : vbUnchecked);
      Resync();
    });
  }
  void Sync() override {
    auto* box = static_cast<QCheckBox*>(widget_);
    box->setText(Q(control_.Caption()));
    const int value = As<CheckBox>(control_).Value();
    box->setCheckState(value == vbChecked ? Qt::Checked : value == vbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
  }
};

class OptionBinding : public Binding {
 public:
  OptionBinding(FormWindow& window, Control& control, QWidget* parent)
      : Binding(window, control, new QRadioButton(parent)) {
    auto* button = static_cast<QRadioButton*>(widget_);
    button->setAutoExclusive(false);  // the models keep one selected per container
    QObject::connect(button, &QRadioButton::clicked, Context(), [this] {
      As<OptionButton>(control_).SetValue(true);
      Resync();
    });
  }
  void Sync() override {
    auto* button = static_cast<QRadioButton*>(widget_);
    button->setText(Q(control_.Caption()));
    button->setChecked(As<OptionButton>(control_).Value());
  }
};

class TextBinding : public Binding {
 public:
  TextBinding(FormWindow& window, Control& control, QWidget* parent) : Binding(window, control, new QLineEdit(parent)) {
    QObject::connect(static_cast<QLineEdit*>(widget_), &QLineEdit::textEdited, Context(),
                     [this](const QString& text) { As<TextBox>(control_).SetText(text.toStdString()); });
  }
  void Sync() override {
    auto* edit = static_cast<QLineEdit*>(widget_);
    if (const QString text = Q(As<TextBox>(control_).Text()); edit->text() != text) edit->setText(text);
  }
};

class ListBinding : public Binding {
 public:
  ListBinding(FormWindow& window, Control& control, QWidget* parent)
      : Binding(window, control, new ExtentList(parent)) {
    auto* list = static_cast<ExtentList*>(widget_);
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QObject::connect(list, &QListWidget::itemSelectionChanged, Context(), [this] { Pull(); });
    QObject::connect(list, &QListWidget::currentRowChanged, Context(), [this] { Pull(); });
  }
  void Sync() override {
    auto& model = As<ListBox>(control_);
    auto* list = static_cast<ExtentList*>(widget_);
    list->setSelectionMode(model.MultiSelect() == vbMultiSelectExtended ? QAbstractItemView::ExtendedSelection
                           : model.MultiSelect() == vbMultiSelectSimple ? QAbstractItemView::MultiSelection
                                                                        : QAbstractItemView::SingleSelection);
    bool same = list->count() == model.ListCount();
    for (int i = 0; same && i < model.ListCount(); ++i) same = list->item(i)->text() == Q(model.List(i));
    if (!same) {
      list->clear();
      for (int i = 0; i < model.ListCount(); ++i) list->addItem(Q(model.List(i)));
    }
    for (int i = 0; i < model.ListCount(); ++i) list->item(i)->setSelected(model.Selected(i));
    list->setCurrentRow(model.ListIndex(), QItemSelectionModel::NoUpdate);
    list->SetExtent(model.HorizontalExtent());
  }

 private:
  // Widget to model after the user changed the selection or the current item.
  void Pull() {
    auto& model = As<ListBox>(control_);
    auto* list = static_cast<ExtentList*>(widget_);
    if (model.MultiSelect() == vbMultiSelectNone) {
      const QList<QListWidgetItem*> selected = list->selectedItems();
      model.SetListIndex(selected.isEmpty() ? -1 : list->row(selected.first()));
    } else {
      bool changed = false;
      for (int i = 0; i < std::min(list->count(), model.ListCount()); ++i) {
        if (model.Selected(i) == list->item(i)->isSelected()) continue;
        model.SetSelected(i, list->item(i)->isSelected());
        changed = true;
      }
      if (list->currentRow() != model.ListIndex()) model.SetListIndex(list->currentRow());
      else if (changed) model.RaiseClick();
    }
    Resync();
  }
};

class ComboBinding : public Binding {
 public:
  ComboBinding(FormWindow& window, Control& control, QWidget* parent)
      : Binding(window, control, new QComboBox(parent)) {
    auto* combo = static_cast<QComboBox*>(widget_);
    QObject::connect(combo, &QComboBox::activated, Context(), [this](int index) {
      As<ComboBox>(control_).SetListIndex(index);
      Resync();
    });
    QObject::connect(combo, &QComboBox::editTextChanged, Context(), [this](const QString& text) {
      if (As<ComboBox>(control_).Style() == vbComboDropdown) As<ComboBox>(control_).SetText(text.toStdString());
    });
  }
  void Sync() override {
    auto& model = As<ComboBox>(control_);
    auto* combo = static_cast<QComboBox*>(widget_);
    const bool editable = model.Style() == vbComboDropdown;
    if (combo->isEditable() != editable) combo->setEditable(editable);
    bool same = combo->count() == model.ListCount();
    for (int i = 0; same && i < model.ListCount(); ++i) same = combo->itemText(i) == Q(model.List(i));
    if (!same) {
      combo->clear();
      for (int i = 0; i < model.ListCount(); ++i) combo->addItem(Q(model.List(i)));
    }
    combo->setCurrentIndex(model.ListIndex());
    if (editable && combo->currentText() != Q(model.Text())) combo->setEditText(Q(model.Text()));
  }
};

// A picture drawn to fit the control's size when it has one (a drawing stays sharp), else at
// its own size.
class ImageBinding : public Binding {
 public:
  ImageBinding(FormWindow& window, Control& control, QWidget* parent) : Binding(window, control, new QLabel(parent)) {
    static_cast<QLabel*>(widget_)->setAlignment(Qt::AlignCenter);
  }
  void Sync() override {
    const std::string& picture = As<Image>(control_).Picture();
    const QSize size(control_.Width(), control_.Height());
    if (picture == shown_ && size == shownSize_) return;
    shown_ = picture;
    shownSize_ = size;
    QImage image;
    if (!picture.empty()) {
      QImageReader reader(Q(picture));
      if (!size.isEmpty())
        reader.setScaledSize(reader.size().isValid() ? reader.size().scaled(size, Qt::KeepAspectRatio) : size);
      image = reader.read();
    }
    static_cast<QLabel*>(widget_)->setPixmap(QPixmap::fromImage(image));
  }

 private:
  std::string shown_;
  QSize shownSize_;
};

class TabBinding : public Binding {
 public:
  TabBinding(FormWindow& window, Control& control, QWidget* parent) : Binding(window, control, new QTabBar(parent)) {
    QObject::connect(static_cast<QTabBar*>(widget_), &QTabBar::currentChanged, Context(), [this](int index) {
      if (index >= 0) As<TabStrip>(control_).SetSelectedIndex(index);
      Resync();
    });
  }
  void Sync() override {
    auto& model = As<TabStrip>(control_);
    auto* tabs = static_cast<QTabBar*>(widget_);
    bool same = tabs->count() == model.TabCount();
    for (int i = 0; same && i < model.TabCount(); ++i) same = tabs->tabText(i) == Q(model.TabCaption(i));
    if (!same) {
      while (tabs->count() > 0) tabs->removeTab(0);
      for (int i = 0; i < model.TabCount(); ++i) tabs->addTab(Q(model.TabCaption(i)));
    }
    tabs->setCurrentIndex(model.SelectedIndex());
  }
};

class StatusBinding : public Binding {
 public:
  StatusBinding(FormWindow& window, Control& control, QWidget* parent) : Binding(window, control, new QLabel(parent)) {
    auto* label = static_cast<QLabel*>(widget_);
    label->setTextFormat(Qt::PlainText);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  }
  void Sync() override { static_cast<QLabel*>(widget_)->setText(Q(As<StatusBar>(control_).SimpleText())); }
};

class UpDownBinding : public Binding {
 public:
  UpDownBinding(FormWindow& window, Control& control, QWidget* parent) : Binding(window, control, new QWidget(parent)) {
    auto* layout = new QVBoxLayout(widget_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const bool up : {true, false}) {
      auto* arrow = new QToolButton(widget_);
      arrow->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
      arrow->setObjectName(up ? "up" : "down");
      arrow->setFocusPolicy(Qt::NoFocus);  // a spinner's arrows are no stop of Tab
      layout->addWidget(arrow);
      QObject::connect(arrow, &QToolButton::clicked, Context(), [this, up] {
        if (!control_.IsUsable()) return;
        if (up) As<UpDown>(control_).Up();
        else As<UpDown>(control_).Down();
      });
    }
  }
};

class MenuBinding : public Binding {
 public:
  MenuBinding(FormWindow& window, Control& control, QAction* action)
      : Binding(window, control, nullptr), action_(action) {
    QObject::connect(action, &QAction::triggered, Context(), [this] { control_.RaiseClick(); });
  }
  void Sync() override {
    auto& model = As<Menu>(control_);
    action_->setText(Q(model.Caption()));
    action_->setSeparator(model.Caption() == "-");
    action_->setEnabled(model.Enabled());
    action_->setVisible(model.Visible());
    action_->setToolTip(Q(model.ToolTipText()));
    action_->setCheckable(model.Checked());
    action_->setChecked(model.Checked());
  }

 private:
  QAction* action_;
};

}  // namespace

std::unique_ptr<Binding> MakeBinding(FormWindow& window, Control& control, QWidget* parent) {
  if (dynamic_cast<Label*>(&control)) return std::make_unique<LabelBinding>(window, control, parent);
  if (dynamic_cast<Frame*>(&control)) return std::make_unique<FrameBinding>(window, control, parent);
  if (dynamic_cast<CommandButton*>(&control)) return std::make_unique<ButtonBinding>(window, control, parent);
  if (dynamic_cast<CheckBox*>(&control)) return std::make_unique<CheckBinding>(window, control, parent);
  if (dynamic_cast<OptionButton*>(&control)) return std::make_unique<OptionBinding>(window, control, parent);
  if (dynamic_cast<TextBox*>(&control)) return std::make_unique<TextBinding>(window, control, parent);
  if (dynamic_cast<ListBox*>(&control)) return std::make_unique<ListBinding>(window, control, parent);
  if (dynamic_cast<ComboBox*>(&control)) return std::make_unique<ComboBinding>(window, control, parent);
  if (dynamic_cast<Image*>(&control)) return std::make_unique<ImageBinding>(window, control, parent);
  if (dynamic_cast<TabStrip*>(&control)) return std::make_unique<TabBinding>(window, control, parent);
  if (dynamic_cast<StatusBar*>(&control)) return std::make_unique<StatusBinding>(window, control, parent);
  if (dynamic_cast<UpDown*>(&control)) return std::make_unique<UpDownBinding>(window, control, parent);
  return nullptr;
}

std::unique_ptr<Binding> MakeMenuBinding(FormWindow& window, Control& control, QAction* action) {
  return std::make_unique<MenuBinding>(window, control, action);
}

}  // namespace ui::qt
