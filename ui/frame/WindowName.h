#pragma once

// The four windows of the toolbox, one registry slot each.
enum class WindowName { Form1, skin, effect, download };
