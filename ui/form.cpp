#include "ui/form.h"

#include <algorithm>
#include <stdexcept>

#include "ui/control.h"

namespace ui {
namespace {

std::vector<Form*>& LoadedForms() {
  static std::vector<Form*> forms;
  return forms;
}

}  // namespace

Form::Form(std::string name) : name_(std::move(name)) {}

// The derived form's controls are already gone here: the window goes without any event.
Form::~Form() {
  auto& forms = LoadedForms();
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  view_.reset();
}

void Form::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  NotifyForm();
}

void Form::SetSize(int width, int height) {
  width_ = width;
  height_ = height;
  NotifyForm();
}

void Form::SetControlBox(bool enabled) {
  controlBox_ = enabled;
  NotifyForm();
}

void Form::SetMousePointer(int pointer) {
  mousePointer_ = pointer;
  NotifyForm();
}

void Form::SetRedrawLocked(bool locked) {
  redrawLocked_ = locked;
  NotifyForm();
}

void Form::Load() {
  if (loaded_) return;
  // A form unloaded inside its own modal loop keeps its window until the loop returns.
  if (!view_) view_ = ActiveBackend().CreateView(*this);
  loaded_ = true;
  LoadedForms().push_back(this);
  Form_Load();
}

void Form::Show(int modal) {
  if (modal == vbModal && visible_)
    throw std::logic_error("form " + name_ + " is already displayed and cannot be shown modally");
  Load();
  const bool wasVisible = visible_;
  visible_ = true;
  view_->Show(modal == vbModal);
  if (!wasVisible) Form_Activate();
  if (visible_ && !active_) {
    for (const auto* order : {&tabOrder_, &controls_}) {
      auto first = std::find_if(order->begin(), order->end(), [](Control* control) { return control->SetFocus(); });
      if (first != order->end()) break;
    }
  }
  if (modal != vbModal || !visible_) return;
  struct Depth {
    Form& form;
    explicit Depth(Form& f) : form(f) { ++form.modalDepth_; }
    ~Depth() {
      if (--form.modalDepth_ == 0 && !form.loaded_) form.view_.reset();
    }
  } depth(*this);
  view_->RunModal();
}

void Form::Hide() {
  if (!visible_) return;
  visible_ = false;
  if (view_) view_->Hide();
}

bool Form::Unload() { return UnloadAs(vbFormCode); }

bool Form::CloseFromTitleBar() {
  if (!loaded_ || !controlBox_) return false;
  UnloadAs(vbFormControlMenu);
  return true;
}

bool Form::UnloadAs(int mode) {
  if (!loaded_) return true;
  int cancel = 0;
  Form_QueryUnload(cancel, mode);
  if (cancel) return false;
  Form_Unload(cancel);
  if (cancel) return false;
  Drop();
  return true;
}

void Form::Drop() {
  loaded_ = false;
  visible_ = false;
  active_ = nullptr;
  redrawLocked_ = false;  // a lock does not outlive its window
  auto& forms = LoadedForms();
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  if (!view_) return;
  view_->Hide();
  if (modalDepth_ == 0) view_.reset();
}

void Form::Refresh() {
  if (view_) view_->Refresh();
}

int Form::TextWidth(const std::string& text) {
  Load();
  return view_->TextWidth(text);
}

void Form::SetTabOrder(std::vector<Control*> order) { tabOrder_ = std::move(order); }

Control* Form::AccessKeyTarget(const Control& label) const {
  auto at = std::find(tabOrder_.begin(), tabOrder_.end(), &label);
  if (at == tabOrder_.end()) return nullptr;
  auto target = std::find_if(at + 1, tabOrder_.end(), [](const Control* control) { return control->CanFocus(); });
  return target == tabOrder_.end() ? nullptr : *target;
}

Control* Form::FindControl(std::string_view name, int index) const {
  for (Control* control : controls_)
    if (control->Name() == name && control->Index() == index) return control;
  return nullptr;
}

void Form::NotifyForm() {
  if (view_) view_->FormChanged();
}

void Form::NotifyControl(Control& control) {
  if (view_) view_->ControlChanged(control);
}

void Form::MoveFocus(Control* next) {
  if (next == active_) return;
  Control* previous = active_;
  active_ = next;
  if (previous && previous->LostFocus) previous->LostFocus(next);
  if (next && active_ == next && next->GotFocus) next->GotFocus();
}

const std::vector<Form*>& Forms() { return LoadedForms(); }

Form* FindFormByCaption(std::string_view caption) {
  for (Form* form : LoadedForms())
    if (form->Caption() == caption) return form;
  return nullptr;
}

}  // namespace ui
