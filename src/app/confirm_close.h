#pragma once

// The window's can-be-closed event: asks "是否退出？" under the window's caption; true only on Yes.
[[nodiscard]] bool ConfirmClose();
