#include "platform/regexp/create_object.h"

#include "platform/regexp/reg_exp_component.h"

namespace platform::regexp {

ComRef CreateObject(std::string_view progId)
{
    if (MemberNameIs(progId, "VBScript.RegExp")) {
        return std::make_shared<RegExpComponent>();
    }
    return nullptr;
}

} // namespace platform::regexp
