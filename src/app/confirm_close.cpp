#include "app/confirm_close.h"

#include "app/main_window.h"
#include "common/gbk_literal.h"
#include "common/show_message.h"

bool ConfirmClose()
{
    Text const caption = MainWindow::Caption();
    constexpr std::int32_t yesNoQuestion = MessageFlags::YesNo | MessageFlags::IconQuestion;
    return ShowMessage(Gbk("是否退出？"), yesNoQuestion, caption) == MessageAnswer::Yes;
}
