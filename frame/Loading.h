// Loading every asset once, in a fixed order, behind the loading screen.
#pragma once

#include <memory>
#include <string>

class TGameImage;

// The pointer's sparkle picture ("clausparkle").
extern std::shared_ptr<TGameImage> SparkleImage;
// The splash screens run before loading (tests and timing runs skip them).
extern bool ShowSplashes;

// The splashes and the loading block the main loop, so they read the events
// themselves: a close request accepted there ends the start-up early by
// throwing this (nothing is saved yet), and start-up runs the exit sequence.
struct TCloseDuringLoading {};
// Reads the queued events; throws TCloseDuringLoading when a close request
// was accepted.
void EndLoadingIfClosed();

// The whole sequence: loading screen, splashes, title music, LoadAll.
void LoadGame();
// Text, sounds, images, fonts and the click-here button, one bar step each.
void LoadAll();
// Start-up's step: LoadGame.
void LoadAllResources();
// Bank load with a mid handle, made ready for drawing, one bar step.
void LoadImageToBank(const std::string& file);
// How many bar steps LoadAll makes.
int LoadingSteps();
