#include "seams.h"

#include "clock_random.h"
#include "windows.h"

namespace aromelle {

namespace {

Seams &installed() {
    static Seams seams;
    return seams;
}

} // namespace

void installSeams(Seams seams) {
    setMessageHandler(seams.showMessage);
    setLinkOpener(seams.openPage);
    setTodaySource(seams.today);
    setRandomSource(seams.random);
    setUpdateQuestion(seams.askUpdate);
    Windows::instance().setProcessEnder(seams.endProcess);
    installed() = std::move(seams);
}

const Seams &installedSeams() {
    return installed();
}

ReplacedSeams::ReplacedSeams(Seams replacement) : m_before(installed()) {
    installSeams(std::move(replacement));
}

ReplacedSeams::~ReplacedSeams() {
    installSeams(std::move(m_before));
}

} // namespace aromelle
