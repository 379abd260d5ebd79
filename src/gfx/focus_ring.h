// The keyboard and controller focus of a screen: one of its targets (a
// button or any other rectangle) is focused, the arrow keys, the D-pad and
// Tab move the focus, Return, Space and the A button activate it, and a
// frame picture marks it once a key or controller has been used.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace shell { struct Press; }

namespace gfx {

struct Context;
class ButtonGroup;

class FocusRing {
 public:
  struct Target {
    int id = 0;
    platform::Rect rect;
  };
  enum class Action { kNone, kMoved, kActivate };
  // How far the mark reaches beyond its target.
  static constexpr int kMargin = 5;

  // framePath: the mark's picture, a square frame whose corners are a third
  // of its side each.
  FocusRing(Context& ctx, const std::string& framePath);
  ~FocusRing();

  // The targets in Tab order. The focus stays on its target when that is
  // still there, else it goes to the first.
  void SetTargets(std::vector<Target> targets);
  // The group's enabled buttons with the given names (ids: their places in
  // the list of names).
  static std::vector<Target> ButtonTargets(const ButtonGroup& group,
                                           const std::vector<std::string>& names);
  void Focus(int id);
  // The focused target's id, -1 with none.
  int Focused() const;

  void SetTabMoves(bool on) { tabMoves_ = on; }
  void SetSpaceActivates(bool on) { spaceActivates_ = on; }
  // A press that the mark was hidden for only shows it; held keys repeat
  // moves but never an activation.
  Action Handle(const shell::Press& press);

  // Draws the mark onto the back buffer when it shows, within clip; with
  // queue set its rectangle is queued to be wiped after the flip.
  void Draw(const platform::Rect& clip, bool queue);

 private:
  void Move(int dx, int dy);
  void Step(int by);

  Context& ctx_;
  std::string framePath_;
  std::unique_ptr<platform::Surface> frame_;
  bool frameLoaded_ = false;
  std::vector<Target> targets_;
  int focused_ = -1;  // index into targets_
  bool tabMoves_ = true;
  bool spaceActivates_ = true;
};

}  // namespace gfx
