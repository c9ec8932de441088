// The application object of the test program: the engine's code reaches the
// settings through it, and the main window's services (its prompts) through
// the installed services, as they do in Lorvane.exe.
#include "LorvaneApp.h"
#include "LorvaneWindowServices.h"

CLorvaneApp theApp;

namespace
{
CLorvaneWindowServices windowServices;
}  // namespace
