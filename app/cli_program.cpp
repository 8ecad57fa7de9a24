#include <iostream>

#include "app/cli.h"
#include "app/exit_codes.h"
#include "app/man_page.h"

namespace app {

void describeProgram(CLI::App& cli) {
  cli.set_version_flag("--version", std::string("vellandex ") + VLX_VERSION);
  cli.footer(kExitCodesHelp);
  // Hidden (no group): the build writes the manual page with it.
  cli.add_flag_callback("--man",
                        [&cli] {
                          std::cout << manPage(cli, VLX_VERSION);
                          throw CLI::Success();
                        })
      ->group("");
}

}  // namespace app
