#include "extras/GameDialogs.h"

#include "extras/AboutUnit.h"
#include "extras/BestWordsUnit.h"
#include "extras/ChoiceUnit.h"
#include "extras/HowToPlayUnit.h"
#include "extras/ImagesWindow.h"
#include "records/AddRatingUnit.h"
#include "records/WinnersUnit.h"
#include "settings/SetCPUUnit.h"

namespace {
template <typename Window, typename... Extra>
Window& made(QPointer<Window>& slot, QWidget* owner, Extra&... extra) {
    if (!slot)
        slot = new Window(owner, extra...);
    return *slot;
}
} // namespace

TImagesWindow& TGameDialogs::ImagesWindow() {
    return made(images_, owner_, services_);
}

TSetCPUWindow& TGameDialogs::SetCPUWindow() {
    return made(setCPU_, owner_, services_);
}

TChoiceWindow& TGameDialogs::ChoiceWindow() {
    return made(choice_, owner_, services_);
}

TWinnersWindow& TGameDialogs::WinnersWindow() {
    // Clearing records asks first, in the question window.
    return made(winners_, owner_, *this);
}

TAddRatingWindow& TGameDialogs::AddRatingWindow() {
    return made(addRating_, owner_, services_);
}

TAboutWindow& TGameDialogs::AboutWindow() {
    return made(about_, owner_, services_);
}

THowToPlayWindow& TGameDialogs::HowToPlayWindow() {
    return made(howToPlay_, owner_, services_);
}

TBestWordsWindow& TGameDialogs::BestWordsWindow() {
    return made(bestWords_, owner_, services_);
}
