#include "addin/ini_prob_msg.h"

#include "util/messages.h"

namespace addin {

void IniProbMsg() {
  util::ShowWarningMsg("There is a problem with the ini file. Please reinstall to try to fix the problem.",
                       "Ini file problem");
}

}  // namespace addin
