#include "shell/app/screen_manager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/context.h"
#include "gfx/redraw_queue.h"
#include "gfx/sprite_list.h"
#include "gfx/screen.h"
#include "support/headless_services.h"

namespace {

struct World {
  testing_support::HeadlessServices s;
  gfx::RedrawQueue redraw;
  gfx::SpriteList sprites;
  gfx::Context ctx{s.qv, s.timers, s.mouse, s.pump, redraw, sprites};
  std::vector<std::string> log;
};

class LoggingScreen : public gfx::Screen {
 public:
  LoggingScreen(World& w, const std::string& name, std::string tag, int updateResult = 1)
      : gfx::Screen(w.ctx, name), w_(w), tag_(std::move(tag)), result_(updateResult) {}
  void Activate(platform::Display* d, platform::Surface* s) override {
    w_.log.push_back("activate " + tag_);
    gfx::Screen::Activate(d, s);
  }
  void Release() override {
    w_.log.push_back("release " + tag_);
    gfx::Screen::Release();
  }
  int Update(int) override { return result_; }
  int HandleMessage(uint32_t m, uint64_t, int64_t) override {
    w_.log.push_back(tag_ + " got " + std::to_string(m));
    return 5;
  }

 private:
  World& w_;
  std::string tag_;
  int result_;
};

TEST(ScreenManager, SwitchingRules) {
  World w;
  LoggingScreen first(w, "menu", "first"), second(w, "menu", "second"), other(w, "other", "other", 7);
  shell::ScreenManager m;
  EXPECT_EQ(m.HandleMessage(512, 0, 0), 1);  // nothing current yet
  EXPECT_EQ(m.Update(1), 0);
  m.Register(&first);
  m.Register(&second);
  m.Register(&other);

  m.SwitchTo("menu");
  EXPECT_EQ(m.Current(), &first);
  // From the first "menu", the same name reaches the second one.
  m.SwitchTo("menu");
  EXPECT_EQ(m.Current(), &second);
  m.SwitchTo("nobody");
  EXPECT_EQ(m.Current(), &second);
  m.SwitchTo("other");
  EXPECT_EQ(m.Update(1), 7);
  // From elsewhere the first of the name wins again.
  m.SwitchTo("menu");
  EXPECT_EQ(m.Current(), &first);
  EXPECT_EQ(m.HandleMessage(513, 0, 0), 5);

  const std::vector<std::string> expected = {
      "activate first", "release first", "activate second", "release second",
      "activate other", "release other", "activate first", "first got 513"};
  EXPECT_EQ(w.log, expected);

  // Release reaches every screen, activated or not, and is harmless twice.
  w.log.clear();
  m.ReleaseAll();
  m.ReleaseAll();
  EXPECT_EQ(w.log.size(), 6u);
  EXPECT_EQ(m.Current(), &first);
}

}  // namespace
