#pragma once
// Pictures of the windows for the documentation, taken by the tool itself.
#include <QDir>

namespace wr {

class AppContext;

// Once a unit is connected and the Status tab has its first values (or after
// a time limit), saves main-<tab>.png for each tab and terminal.png into dir,
// then ends the application's loop.
void TakeScreenshotsWhenReady(AppContext& context, const QDir& dir);

}  // namespace wr
