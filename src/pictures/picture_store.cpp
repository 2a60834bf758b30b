#include "pictures/picture_store.h"

#include "pictures/ico_decoder.h"

#include <QFile>
#include <QPixmap>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace cratefall::pictures {
namespace {

// Where the build puts each picture; see src/pictures/CMakeLists.txt.
QString resourcePath(std::string_view name, const char* suffix)
{
    return QStringLiteral(":/pictures/") + QString::fromUtf8(name.data(), qsizetype(name.size())) +
           QLatin1String(suffix);
}

enum class Kind { Missing, Icon, Jpeg };

// One record per name ever asked for; images are decoded on first use and kept for the run.
struct Record {
    Kind kind = Kind::Missing;
    std::optional<IcoFile> icon;
    std::map<int, QImage> images; // by icon entry; a JPEG has the single entry 0
};

class Store {
public:
    static Store& instance()
    {
        static Store store;
        return store;
    }

    const QImage& image(std::string_view name, QSize drawnSize)
    {
        const std::lock_guard lock(m_mutex);
        Record& record = recordFor(name);
        switch (record.kind) {
        case Kind::Icon:
            return imageOf(record, record.icon->pick(drawnSize), name);
        case Kind::Jpeg:
            return imageOf(record, 0, name);
        case Kind::Missing:
            break;
        }
        return m_null;
    }

    std::vector<QImage> allImages(std::string_view name)
    {
        const std::lock_guard lock(m_mutex);
        Record& record = recordFor(name);
        std::vector<QImage> images;
        const int count = record.kind == Kind::Icon   ? int(record.icon->entries().size())
                          : record.kind == Kind::Jpeg ? 1
                                                      : 0;
        for (int i = 0; i < count; ++i)
            images.push_back(imageOf(record, i, name));
        return images;
    }

    int decodeCount()
    {
        const std::lock_guard lock(m_mutex);
        return m_decodes;
    }

private:
    Record& recordFor(std::string_view name)
    {
        auto it = m_records.find(name);
        if (it == m_records.end())
            it = m_records.emplace(std::string(name), load(name)).first;
        return it->second;
    }

    static Record load(std::string_view name)
    {
        Record record;
        QFile icon(resourcePath(name, ".ico"));
        if (icon.open(QIODevice::ReadOnly)) {
            record.icon = IcoFile::parse(icon.readAll());
            record.kind = record.icon ? Kind::Icon : Kind::Missing;
        } else if (QFile::exists(resourcePath(name, ".jpg"))) {
            record.kind = Kind::Jpeg;
        }
        return record;
    }

    const QImage& imageOf(Record& record, int index, std::string_view name)
    {
        auto it = record.images.find(index);
        if (it == record.images.end()) {
            ++m_decodes;
            QImage decoded = record.kind == Kind::Icon ? record.icon->decode(index)
                                                       : QImage(resourcePath(name, ".jpg"), "JPEG");
            it = record.images.emplace(index, std::move(decoded)).first;
        }
        return it->second;
    }

    std::mutex m_mutex;
    std::map<std::string, Record, std::less<>> m_records;
    int m_decodes = 0;
    const QImage m_null;
};

} // namespace

const QImage& PictureStore::image(std::string_view name, QSize drawnSize)
{
    return Store::instance().image(name, drawnSize);
}

QIcon PictureStore::windowIcon(std::string_view name)
{
    QIcon icon;
    for (const QImage& image : Store::instance().allImages(name))
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

bool PictureStore::exists(std::string_view name)
{
    return QFile::exists(resourcePath(name, ".ico")) || QFile::exists(resourcePath(name, ".jpg"));
}

int PictureStore::decodeCount()
{
    return Store::instance().decodeCount();
}

} // namespace cratefall::pictures
