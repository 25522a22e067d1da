#pragma once

// The web engine draws with OpenGL and shares its textures with the windows
// through one application-wide GL context. Qt makes that context at start-up
// when asked to, at the price of bringing up OpenGL before the first window
// (on a software renderer that more than doubles the toolbox's start-up time
// and memory). The toolbox makes it here instead, just before the engine's
// module is loaded, ahead of the first pane or for it.
void ShareGlContextWithEngine();
