#pragma once

// What every fuzz target needs before its first input.
namespace FuzzSupport {

// A headless application for the widget and picture code, made once.
void StartApplication(int *argc, char ***argv);

} // namespace FuzzSupport
