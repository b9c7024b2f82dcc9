// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/wmfdecoder.h"
#include "platform/filenames.h"

#include <QByteArray>
#include <libwmf/api.h>
#include <libwmf/gd.h>

namespace {

// A drawing larger than this is refused rather than allocated.
constexpr qint64 kMaxPixels = 64LL * 1024 * 1024;

// One open metafile, closed and freed on every path out.
class Metafile {
public:
    explicit Metafile(const QString& path)
    {
        wmfAPI_Options options{};
        options.function = wmf_gd_function;
        const unsigned long flags =
            WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&m_api, flags, &options) != wmf_E_None) {
            m_api = nullptr;
            return;
        }
        m_open = wmf_file_open(m_api, fileNameBytes(path).constData()) == wmf_E_None &&
                 wmf_scan(m_api, 0, &m_bounds) == wmf_E_None;
    }

    ~Metafile()
    {
        if (!m_api)
            return;
        if (m_open)
            wmf_file_close(m_api);
        wmf_api_destroy(m_api);
    }

    Metafile(const Metafile&) = delete;
    Metafile& operator=(const Metafile&) = delete;

    std::optional<QSize> size()
    {
        unsigned int width = 0;
        unsigned int height = 0;
        if (!m_open || wmf_display_size(m_api, &width, &height, 96, 96) != wmf_E_None)
            return std::nullopt;
        if (width == 0 || height == 0 || qint64(width) * height > kMaxPixels)
            return std::nullopt;
        return QSize(int(width), int(height));
    }

    QImage render(QSize size)
    {
        if (!m_open || size.isEmpty() || qint64(size.width()) * size.height() > kMaxPixels)
            return {};
        // The drawing comes back as a PNG through a sink rather than as libwmf's own image,
        // which the shared library gives no call to free.
        QByteArray png;
        wmf_gd_t* device = WMF_GD_GetData(m_api);
        device->type = wmf_gd_png;
        device->flags |= WMF_GD_OUTPUT_MEMORY | WMF_GD_OWN_BUFFER;
        device->sink.context = &png;
        device->sink.function = appendToPng;
        device->bbox = m_bounds;
        device->width = unsigned(size.width());
        device->height = unsigned(size.height());
        if (wmf_play(m_api, 0, &m_bounds) != wmf_E_None)
            return {};
        const QImage image = QImage::fromData(png, "PNG");
        if (image.size() != size)
            return {};
        return image.convertToFormat(QImage::Format_RGB32);
    }

private:
    static int appendToPng(void* png, char* bytes, int length)
    {
        static_cast<QByteArray*>(png)->append(bytes, length);
        return length;
    }

    wmfAPI* m_api = nullptr;
    wmfD_Rect m_bounds{};
    bool m_open = false;
};

} // namespace

std::optional<QSize> wmfSize(const QString& path)
{
    return Metafile(path).size();
}

QImage renderWmf(const QString& path, QSize size)
{
    return Metafile(path).render(size);
}
