// The application object that drawing text needs (fonts come through the platform), made on
// the offscreen platform the first time a command draws.  Call on the main thread.
#pragma once

void EnsureDrawingApplication();
