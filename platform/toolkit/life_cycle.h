// The program's life cycle on the platform: preparing the platform, loading the start-up window,
// the message loop, the orderly end with its exit routine, and fatal errors (exit code -1).
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "platform/text.h"
#include "platform/toolkit/window_template.h"

namespace toolkit {
class Window;
}

// What the program file carries besides its code.
struct ProgramResources {
  std::span<const toolkit::WindowTemplate* const> windows;
  const char* product_name;
  const char* version;
  const char* description;
  const char* comments;
};

// Hands control to the entry routine on the user-interface thread, then carries out the orderly
// end. Returns the process's exit code (0); a fatal error ends the process with -1 instead.
int RunPlatform(int argc, char** argv, const ProgramResources& resources, int (*entry)());

// RunPlatform's first and last steps, for a host that runs the program's steps itself (tests):
// the arguments and resources that PreparePlatform uses, and the orderly end.
void SetPlatformArguments(int argc, char** argv, const ProgramResources& resources);
void EndPlatformInOrder();

void PreparePlatform();
void SetExitRoutine(void (*routine)());
void LoadStartupWindow(const toolkit::WindowTemplate& window);
void RunMessageLoop();
// Posted: the window is destroyed once the running handler has returned; repeats are harmless.
void RequestWindowDestroy(toolkit::Window& window);
// 1 blue, 2 olive green, 3 silver; any other value switches the look off. Yields true when on.
bool SetVisualStyle(int scheme);
[[noreturn]] void ReportFatalError(std::string_view message, int code);
[[noreturn]] void ReportAllocationFailure(size_t bytes);

// The text of the run-time error box for a message and a code.
Text FatalErrorText(std::string_view message, int code);

// The loaded start-up window, or nullptr before loading and after it was destroyed.
toolkit::Window* StartupWindow();

// Called with the platform's own clean-up at the end (orderly or fatal), after the exit routine:
// the playback service and the mixer register here to stop their threads and connections.
void AtPlatformEnd(void (*cleanup)());
