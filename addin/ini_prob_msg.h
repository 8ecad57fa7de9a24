#pragma once
// The warning shown when the settings file cannot be written.

namespace addin {

/// "There is a problem with the ini file. Please reinstall to try to fix the problem.",
/// titled "Ini file problem".
void IniProbMsg();

}  // namespace addin
