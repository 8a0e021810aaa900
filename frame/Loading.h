// Loading every resource behind the loading screen.
#pragma once

// Loads all resources and makes the first screen current.
void LoadAllResources();
