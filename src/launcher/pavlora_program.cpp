#include "launcher/pavlora_program.h"

namespace launcher {

PavloraProgram::PavloraProgram() = default;

PavloraProgram::~PavloraProgram() = default;

shell::ProgramTraits PavloraProgram::Traits() const { return {"Kelvane Pavlora", false, true}; }

void PavloraProgram::Start(shell::Application& app, const std::string& commandLine) {
  title_ = std::make_unique<TitleScreen>(app.Context(), app.Launcher(), app.Screens(), roster_);
  catalogue_ = std::make_unique<CatalogueScreen>(app.Context(), app.Launcher(), app.Screens(), *title_);
  app.Screens().Register(catalogue_.get());
  app.Screens().Register(title_.get());
  app.Screens().SwitchTo("Pavlora");
  if (!commandLine.empty()) catalogue_->SelectGameByProgramName(commandLine);
}

}  // namespace launcher
