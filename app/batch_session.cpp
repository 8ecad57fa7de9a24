#include "app/batch_session.h"

#include <algorithm>
#include <cctype>
#include <iostream>

#include "app/exit_codes.h"
#include "host/platform/error.h"
#include "ui/console_progress.h"

namespace app {
namespace {

constexpr const char* kAddInProgId = "VLXDLLCOM.Connect";

// A message's text with its line ends as a terminal shows them.
std::string plainLines(std::string text) {
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
  std::replace(text.begin(), text.end(), '\r', '\n');
  return text;
}

}  // namespace

BatchSession::BatchSession(const std::string& input)
    : user_(ui::script::Unscripted::Default), registry_(host::ComponentRegistry::DefaultFolders()) {
  user_.OnMessage([this](const ui::Message& m) {
    ui::EndConsoleProgress();
    std::cerr << m.title << ": " << plainLines(m.prompt) << "\n";
    for (const auto& watcher : watchers_) watcher(m);
  });
  try {
    doc_ = &app_.Documents().Open(input);
  } catch (const host::Error& e) {
    throw BatchFailure{kExitBadInput, e.description()};
  }
  addIns_ = std::make_unique<host::ConnectedAddIns>(app_, registry_);
  try {
    addIns_->Connect(kAddInProgId, host::ext_cm_Startup, {host::kStartedByUser});
    addIns_->StartupComplete({});
  } catch (const std::exception& e) {
    throw BatchFailure{kExitInternal, std::string("the Vellandex add-in could not be loaded: ") + e.what()};
  }
}

BatchSession::~BatchSession() { addIns_.reset(); }

void BatchSession::click(const std::string& tag) {
  host::CommandBarControl popup = app_.CommandBars().Item("Tools").FindControl(host::msoControlPopup, 0, "VLXMenu");
  host::CommandBarControl button;
  if (popup) {
    host::CommandBarControls buttons = popup.Controls();
    for (long i = 1; i <= buttons.Count() && !button; ++i)
      if (buttons.Item(i).Tag() == tag) button = buttons.Item(i);
  }
  if (!button) throw BatchFailure{kExitInternal, "the Vellandex add-in installed no menu"};
  button.Execute();
}

bool BatchSession::shown(const std::string& title) const {
  for (const ui::Message& m : user_.Messages())
    if (m.title == title) return true;
  return false;
}

bool BatchSession::errorShown() const {
  for (const ui::Message& m : user_.Messages())
    if (m.prompt.starts_with("Error: ") && m.prompt.size() > 7 && std::isdigit(static_cast<unsigned char>(m.prompt[7])))
      return true;
  return false;
}

void BatchSession::saveAs(const std::string& output) {
  try {
    doc_->SaveAs(output);
  } catch (const host::Error& e) {
    throw BatchFailure{kExitBadInput, e.description()};
  }
}

}  // namespace app
