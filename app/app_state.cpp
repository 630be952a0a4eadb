#include "app/app_state.h"

char g_windowTitle[WINDOW_TEXT_LENGTH];
char g_windowClassName[WINDOW_TEXT_LENGTH];
HINSTANCE g_hInstance;

int g_dissectCount;
int g_dissectLimit;

bool g_autoDissect;
bool g_autoDraw;
bool g_onlyMap;
