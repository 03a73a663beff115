#include "app/shell/VTHelpTopics.h"

#include <algorithm>

#include "contraptions/VTContraptionFactory.h"
#include "contraptions/VTContraptionMaker.h"
#include "platform/VTProgramPaths.h"

namespace VTHelpTopics {

std::string pageFileName(int topic) {
    if (topic == kContents) return "contents.html";
    return std::to_string(topic) + ".html";
}

std::vector<int> openableTopics() {
    std::vector<int> topics{kContents, kIntroduction, kSettings, kExport, kModulation};
    const VTContraptionFactory& factory = VTContraptionFactory::instance();
    for (int i = 0; i < factory.makerCount(); ++i) {
        const int topic = factory.maker(i).helpContext();
        if (topic != 0) topics.push_back(topic);
    }
    std::sort(topics.begin(), topics.end());
    topics.erase(std::unique(topics.begin(), topics.end()), topics.end());
    return topics;
}

std::string defaultHelpDirectory() { return VTProgramPaths::programDirectory() + "help/"; }

}  // namespace VTHelpTopics
