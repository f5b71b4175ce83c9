#include "app/program_icon.h"

#include <array>

#include <QString>

QIcon ProgramIcon()
{
    static constexpr std::array sizes{16, 24, 32, 48, 64, 96, 128};
    QIcon icon;
    for (int const size : sizes) {
        icon.addFile(QStringLiteral(":/icons/tolvane-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}
