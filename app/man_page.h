#pragma once
// The manual page (roff, section 1), written from the command line's own help texts, so that
// the page and --help never say different things.

#include <string>

#include <CLI/CLI.hpp>

namespace app {

/// The manual page of a program whose command line is cli: its description, each
/// sub-command with its arguments and options by group, and the footer (the exit codes).
std::string manPage(const CLI::App& cli, const std::string& version);

}  // namespace app
