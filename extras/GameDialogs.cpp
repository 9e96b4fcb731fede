#include "extras/GameDialogs.h"

#include "extras/AboutUnit.h"
#include "extras/BestWordsUnit.h"
#include "extras/ChoiceUnit.h"
#include "extras/HowToPlayUnit.h"
#include "extras/ImagesWindow.h"
#include "records/AddRatingUnit.h"
#include "records/WinnersUnit.h"
#include "settings/SetCPUUnit.h"

TGameDialogs Dialogs;
