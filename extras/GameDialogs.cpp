#include "extras/GameDialogs.h"

#include "extras/AboutWindow.h"
#include "extras/BestWordsWindow.h"
#include "extras/HelpWindow.h"
#include "extras/MeaningWindow.h"
#include "extras/QuestionWindow.h"
#include "extras/TexturesWindow.h"
#include "records/NameEntryWindow.h"
#include "records/RecordsTable.h"
#include "settings/StrengthWindow.h"

namespace {
template <typename Window, typename... Extra>
Window& made(QPointer<Window>& slot, QWidget* owner, Extra&... extra) {
    if (!slot)
        slot = new Window(owner, extra...);
    return *slot;
}
} // namespace

TexturesWindow& GameDialogs::imagesWindow() {
    return made(images_, owner_, services_);
}

StrengthWindow& GameDialogs::setCPUWindow() {
    return made(setCPU_, owner_, services_);
}

QuestionWindow& GameDialogs::choiceWindow() {
    return made(choice_, owner_, services_);
}

RecordsWindow& GameDialogs::winnersWindow() {
    // Clearing records asks first, in the question window.
    return made(winners_, owner_, *this);
}

NameEntryWindow& GameDialogs::addRatingWindow() {
    return made(addRating_, owner_, services_);
}

AboutWindow& GameDialogs::aboutWindow() {
    return made(about_, owner_, services_);
}

HelpWindow& GameDialogs::howToPlayWindow() {
    return made(howToPlay_, owner_, services_);
}

BestWordsWindow& GameDialogs::bestWordsWindow() {
    return made(bestWords_, owner_, services_);
}

MeaningWindow& GameDialogs::meaningWindow() {
    return made(meaning_, owner_, services_);
}
