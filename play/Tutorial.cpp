#include "play/Tutorial.h"

std::shared_ptr<TTutorial> Tutorial = std::make_shared<TTutorial>();
