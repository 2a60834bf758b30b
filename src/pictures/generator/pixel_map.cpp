#include "pictures/generator/pixel_map.h"

#include <QStringList>
#include <map>
#include <stdexcept>

namespace cratefall::pictures {
namespace {

constexpr QChar transparentKey = u'.';

class MapReader {
public:
    MapReader(const QString& text, const QString& sourceName)
        : m_lines(text.split(u'\n')), m_source(sourceName)
    {}

    std::vector<IconMap> read()
    {
        for (; m_line < m_lines.size(); ++m_line) {
            const QString line = m_lines[m_line].trimmed();
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            readDirective(line.split(u' ', Qt::SkipEmptyParts));
        }
        return std::move(m_icons);
    }

private:
    [[noreturn]] void fail(const QString& what) const
    {
        const QString where = QStringLiteral("%1:%2: ").arg(m_source).arg(m_line + 1);
        throw std::runtime_error((where + what).toStdString());
    }

    void readDirective(const QStringList& words)
    {
        if (words[0] == u"icon" && words.size() == 2) {
            m_icons.push_back({words[1], {}});
            m_palette.clear();
        } else if (m_icons.empty()) {
            fail(QStringLiteral("expected 'icon NAME' first"));
        } else if (words[0] == u"colour" && words.size() == 3) {
            readColour(words[1], words[2]);
        } else if (words[0] == u"image" && words.size() >= 3) {
            readImage(words);
        } else {
            fail(QStringLiteral("cannot read '%1'").arg(words.join(u' ')));
        }
    }

    void readColour(const QString& key, const QString& value)
    {
        const QColor colour = QColor::fromString(value);
        if (key.size() != 1 || key[0] == transparentKey || !colour.isValid())
            fail(QStringLiteral("bad colour line"));
        m_palette[key[0]] = colour.rgb() | 0xff000000u;
    }

    void readImage(const QStringList& words)
    {
        bool ok = false;
        const int size = words[1].toInt(&ok);
        if (!ok || size <= 0 || size > 256)
            fail(QStringLiteral("bad image size"));
        const QImage pixels = readGrid(size);
        for (qsizetype i = 2; i < words.size(); ++i) {
            if (words[i] == u"8")
                m_icons.back().images.push_back({pixels, ColourDepth::Palette256});
            else if (words[i] == u"24")
                m_icons.back().images.push_back({pixels, ColourDepth::TrueColour});
            else
                fail(QStringLiteral("colour depth must be 8 or 24"));
        }
    }

    QImage readGrid(int size)
    {
        QImage pixels(size, size, QImage::Format_ARGB32);
        for (int y = 0; y < size; ++y) {
            ++m_line;
            if (m_line >= m_lines.size())
                fail(QStringLiteral("image ends early"));
            const QString row = m_lines[m_line].trimmed();
            if (row.size() != size)
                fail(QStringLiteral("row is %1 wide, expected %2").arg(row.size()).arg(size));
            for (int x = 0; x < size; ++x)
                pixels.setPixel(x, y, colourOf(row[x]));
        }
        return pixels;
    }

    QRgb colourOf(QChar key) const
    {
        if (key == transparentKey)
            return 0;
        const auto it = m_palette.find(key);
        if (it == m_palette.end())
            fail(QStringLiteral("no colour for '%1'").arg(key));
        return it->second;
    }

    QStringList m_lines;
    QString m_source;
    qsizetype m_line = 0;
    std::map<QChar, QRgb> m_palette;
    std::vector<IconMap> m_icons;
};

} // namespace

std::vector<IconMap> parseIconMaps(const QString& text, const QString& sourceName)
{
    return MapReader(text, sourceName).read();
}

} // namespace cratefall::pictures
