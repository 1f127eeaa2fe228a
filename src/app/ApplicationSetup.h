#pragma once
// What the program sets on the application object before its first window.
namespace app {

/// The Fusion style the designed geometry is measured in, the window icon of every window and
/// the desktop entry's name. Sets no display name: the window
/// system would append it to every caption, and captions are exactly the designed texts.
void setUpApplication();

} // namespace app
