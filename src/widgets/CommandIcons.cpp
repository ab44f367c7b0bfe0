#include "widgets/CommandIcons.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <unordered_map>

#include "widgets/Commands.h"

namespace zel {

QIcon CommandIcon(int id) {
    static std::unordered_map<int, QIcon> cache;
    if (auto it = cache.find(id); it != cache.end()) return it->second;
    QIcon icon;
    const cmd::Command* command = cmd::Find(id);
    if (command && *command->icon) {
        QSvgRenderer svg(QString(":/icons/%1.svg").arg(command->icon));
        // Drawn at the toolbar's size and at twice it for dense screens.
        for (int size : {20, 40}) {
            QPixmap pixmap(size, size);
            pixmap.fill(Qt::transparent);
            QPainter p(&pixmap);
            svg.render(&p);
            icon.addPixmap(pixmap);
        }
    }
    cache.emplace(id, icon);
    return icon;
}

}  // namespace zel
