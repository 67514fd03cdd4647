// The scripting interface ids that mingw's import libraries lack are defined
// here, once for the whole program.
#include <windows.h>
#include <initguid.h>
#include <activscp.h>
