// The program's one application object; the framework's entry point runs it.
// The main window's services are installed before it starts, so that the
// engine reaches the window only through them.
#include "LorvaneApp.h"
#include "LorvaneWindowServices.h"

CLorvaneApp theApp;

namespace
{
CLorvaneWindowServices windowServices;
}  // namespace
