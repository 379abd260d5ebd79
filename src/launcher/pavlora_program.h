// The launcher as a program of the shared run: its window title, its two
// screens (the catalogue "Pavlora" and the title screen "title") and the
// player roster they share.
#pragma once
#include <memory>
#include <string>

#include "launcher/catalogue_screen.h"
#include "launcher/title_screen.h"
#include "players/player_roster.h"
#include "shell/app/application.h"

namespace launcher {

class PavloraProgram : public shell::Program {
 public:
  PavloraProgram();
  ~PavloraProgram() override;

  shell::ProgramTraits Traits() const override;
  // Registers the catalogue, then the title screen, opens the catalogue,
  // and with a command line goes on to that game's title screen.
  void Start(shell::Application& app, const std::string& commandLine) override;

  CatalogueScreen* Catalogue() const { return catalogue_.get(); }
  TitleScreen* Title() const { return title_.get(); }

 private:
  players::PlayerRoster roster_;
  std::unique_ptr<TitleScreen> title_;
  std::unique_ptr<CatalogueScreen> catalogue_;
};

}  // namespace launcher
