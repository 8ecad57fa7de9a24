#include "ui/qt/backend.h"

#include <stdexcept>
#include <utility>
#include <vector>

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QUrl>

#include "ui/form.h"
#include "ui/message_box.h"
#include "ui/qt/form_window.h"

namespace ui::qt {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QMessageBox::StandardButton ButtonFor(int result) {
  switch (result) {
    case vbCancel: return QMessageBox::Cancel;
    case vbAbort: return QMessageBox::Abort;
    case vbRetry: return QMessageBox::Retry;
    case vbIgnore: return QMessageBox::Ignore;
    case vbYes: return QMessageBox::Yes;
    case vbNo: return QMessageBox::No;
    default: return QMessageBox::Ok;
  }
}

QMessageBox::Icon IconFor(int icon) {
  switch (icon) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

}  // namespace

Backend::Backend() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
    throw std::logic_error("the Qt user-interface backend needs a QApplication");
}

std::unique_ptr<FormView> Backend::CreateView(Form& form) { return std::make_unique<FormWindow>(form); }

// Boxes live on the heap behind a QPointer: when their owner is deleted during the box's
// loop, Qt deletes them too.
int Backend::ShowMessage(Message& message) {
  QPointer<QMessageBox> box = new QMessageBox(IconFor(message.Icon()), Q(message.title), Q(message.prompt),
                                              QMessageBox::NoButton, ActiveOwner());
  box->setTextFormat(Qt::PlainText);
  std::vector<std::pair<QAbstractButton*, int>> buttons;
  for (int result : message.Results()) {
    QPushButton* button = box->addButton(ButtonFor(result));
    buttons.emplace_back(button, result);
    if (result == message.DefaultResult()) box->setDefaultButton(button);
  }
  box->exec();
  QAbstractButton* clicked = box ? box->clickedButton() : nullptr;
  delete box;
  // Escape or the close box: Cancel when offered, else the only button, else the default.
  message.result = message.Results().size() == 1 ? message.Results().front() : message.DefaultResult();
  for (int result : message.Results())
    if (result == vbCancel) message.result = vbCancel;
  for (const auto& [button, result] : buttons)
    if (button == clicked) message.result = result;
  return message.result;
}

std::string Backend::ChooseFile(const FileRequest& request) {
  QWidget* owner = request.owner ? WindowOf(*request.owner) : nullptr;
  if (!owner || !owner->isVisible()) owner = ActiveOwner();
  QPointer<QFileDialog> dialog = new QFileDialog(owner, Q(request.title), Q(request.initialFolder));
  QStringList filters;
  for (const auto& [description, pattern] : request.filters)
    filters << Q(description) + " (" + Q(pattern).replace(';', ' ') + ")";
  if (!filters.isEmpty()) {
    dialog->setNameFilters(filters);
    dialog->selectNameFilter(filters.value(request.filterIndex - 1, filters.first()));
  }
  dialog->setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog->setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
  if (!request.defaultExtension.empty()) dialog->setDefaultSuffix(Q(request.defaultExtension));
  if (!request.fileName.empty()) dialog->selectFile(Q(request.fileName));
  const bool accepted = dialog->exec() == QDialog::Accepted;
  const QStringList chosen = dialog ? dialog->selectedFiles() : QStringList();
  delete dialog;
  return accepted && !chosen.isEmpty() ? chosen.first().toStdString() : std::string();
}

void Backend::OpenExternal(const std::string& target) {
  const QString text = Q(target);
  QDesktopServices::openUrl(text.contains("://") ? QUrl(text) : QUrl::fromLocalFile(text));
}

void Backend::DoEvents() { QCoreApplication::processEvents(); }

QWidget* Backend::WindowOf(const Form& form) {
  auto* window = dynamic_cast<FormWindow*>(form.View());
  return window ? window->Window() : nullptr;
}

}  // namespace ui::qt
