#include "show_message.h"

#include "gbk_literal.h"

#include <utility>

namespace {
MessagePresenter& Presenter()
{
    static MessagePresenter presenter;
    return presenter;
}
} // namespace

void SetMessagePresenter(MessagePresenter presenter)
{
    Presenter() = std::move(presenter);
}

MessageAnswer ShowMessage(Text const& text, std::int32_t flags, std::optional<Text> const& title)
{
    if ((flags & MessageFlags::SystemModal) == 0) {
        flags |= MessageFlags::TaskModal;
    }
    static Text const defaultTitle = Gbk("信息：");
    if (!Presenter()) {
        return MessageAnswer::Ok;
    }
    return Presenter()(text, flags, title.has_value() ? *title : defaultTitle);
}
