// vessaro-update: the file-list update of application "baccarat" from the command line.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/ports.h"
#include "update/update_protocol.h"

namespace vessaro {

struct UpdateCommandOptions {
  bool help = false;
  std::string home;
  std::optional<std::string> root;  // default: the program folder's settings
  std::string file_name;
};

std::string UpdateHelpText();

// nullopt with the reason in error when the arguments are wrong.
std::optional<UpdateCommandOptions> ParseUpdateArguments(const std::vector<std::string>& args, std::string& error);

// Prints every file it replaced, then the result (and the message, if any). Exit status: 0 when
// the update succeeded, 2 otherwise.
int RunUpdateCommand(const UpdateCommandOptions& options, UpdatePorts& ports, const fs::path& own_program,
                     std::ostream& out);

}  // namespace vessaro
