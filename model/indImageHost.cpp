#include "model/indImageHost.h"

indImageHost::indImageHost(cmcEeprom& image, cmcGTex& table)
    : m_image(image), m_table(table), m_events(m_timers) {
    m_initial.SetSize(image.GetSize());
}

cmcPrompt::Answer indImageHost::SilentPrompt::Message(const std::string&, const std::string&, Icon,
                                                      Buttons buttons) {
    return buttons == Buttons::YesNo ? Answer::No
           : buttons == Buttons::Ok  ? Answer::Ok
                                     : Answer::Cancel;
}
