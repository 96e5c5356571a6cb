#include "qtplatform/PictureLoader.h"

#include "base/FileSlot.h"
#include "qtplatform/Twips.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QPointer>
#include <QThreadPool>
#include <algorithm>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace pelmark {

namespace {

// What a picture's `image` points to: the pixels, once decoded, and who waits for them.
class Decoded {
public:
    const QImage* image() const {
        std::lock_guard lock(mutex_);
        return ready_ ? &image_ : nullptr;
    }

    void whenReady(QObject* receiver, std::function<void()> call) {
        std::unique_lock lock(mutex_);
        if (!ready_) {
            waiting_.push_back({receiver, std::move(call)});
            return;
        }
        lock.unlock();
        call();
    }

    // On the picture thread: the pixels go in, and each receiver hears of them on its own thread (a
    // receiver deleted meanwhile takes its posted call with it).
    void finish(QImage image) {
        std::vector<Waiting> waiting;
        {
            std::lock_guard lock(mutex_);
            image_ = std::move(image);
            ready_ = true;
            waiting.swap(waiting_);
        }
        for (Waiting& w : waiting)
            QMetaObject::invokeMethod(w.receiver, std::move(w.call), Qt::QueuedConnection);
    }

private:
    struct Waiting {
        QPointer<QObject> receiver;
        std::function<void()> call;
    };
    mutable std::mutex mutex_;
    QImage image_;
    bool ready_ = false;
    std::vector<Waiting> waiting_;
};

// A box of zero size still shows one pixel rather than asking the decoder for nothing.
QSize boxSize(int widthPixels, int heightPixels) {
    return {std::max(1, widthPixels), std::max(1, heightPixels)};
}

// A picture decoded at the box's size never needs more; a file claiming more fails at once instead of
// holding the control while the decoder works through it.
constexpr int kAllocationLimitMegabytes = 32;

// The file as the reader's device, opened as every photo is: no FIFO named like a photo, swapped in
// after the photo was read, can keep the decoder waiting.
std::unique_ptr<QFile> pictureFile(const std::string& path) {
    const int fd = openRegularFile(path, O_RDONLY);
    if (fd < 0) return nullptr;
    auto file = std::make_unique<QFile>();
    if (file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return file;
    ::close(fd);
    return nullptr;
}

bool canRead(const std::string& path) {
    auto file = pictureFile(path);
    return file && QImageReader(file.get()).canRead();
}

QImage decodeScaled(const std::string& path, QSize size) {
    auto file = pictureFile(path);
    if (!file) return {};
    QImageReader reader(file.get());
    reader.setAllocationLimit(kAllocationLimitMegabytes);
    reader.setScaledSize(size);
    return reader.read();
}

// One thread: decodes run one after the other, in the order asked, and the skipped ones cost nothing.
// The application owns it, so its thread ends (after the decode in hand) before the application does.
QThreadPool& pictureThread() {
    static QPointer<QThreadPool> pool;
    if (!pool) {
        pool = new QThreadPool(QCoreApplication::instance());
        pool->setMaxThreadCount(1);
    }
    return *pool;
}

} // namespace

std::optional<Picture> loadPictureScaled(const std::string& path, int widthPixels, int heightPixels) {
    if (!canRead(path)) return std::nullopt;
    QImage image = decodeScaled(path, boxSize(widthPixels, heightPixels));
    if (image.isNull()) return std::nullopt;
    return pictureOf(std::move(image));
}

Picture pictureOf(QImage image) {
    Picture picture;
    picture.width = image.width();
    picture.height = image.height();
    auto decoded = std::make_shared<Decoded>();
    decoded->finish(std::move(image));
    picture.image = std::move(decoded);
    return picture;
}

std::optional<Picture> loadPictureInBackground(const std::string& path, int boxWidthTwips, int boxHeightTwips,
                                               double dpi) {
    // The header alone tells whether there is a picture; a file that breaks off later shows an empty box.
    if (!canRead(path)) return std::nullopt;
    const QSize size = boxSize(twipsToPixels(boxWidthTwips, dpi), twipsToPixels(boxHeightTwips, dpi));
    auto decoded = std::make_shared<Decoded>();
    pictureThread().start([wanted = std::weak_ptr<Decoded>(decoded), path, size] {
        if (wanted.expired()) return; // overtaken by a newer picture before its turn
        QImage image = decodeScaled(path, size);
        if (auto stillWanted = wanted.lock()) stillWanted->finish(std::move(image));
    });
    Picture picture;
    picture.width = size.width();
    picture.height = size.height();
    picture.image = std::move(decoded);
    return picture;
}

std::optional<Picture> loadPictureForBox(const std::string& path, int boxWidthTwips, int boxHeightTwips,
                                         double dpi) {
    return loadPictureScaled(path, twipsToPixels(boxWidthTwips, dpi), twipsToPixels(boxHeightTwips, dpi));
}

const QImage* pictureImage(const Picture& picture) {
    const auto* decoded = static_cast<const Decoded*>(picture.image.get());
    return decoded ? decoded->image() : nullptr;
}

void whenDecoded(const Picture& picture, QObject* receiver, std::function<void()> decoded) {
    // The const is the model's promise not to change the picture; waiting for it changes nothing shown.
    auto* state = const_cast<Decoded*>(static_cast<const Decoded*>(picture.image.get()));
    if (state) state->whenReady(receiver, std::move(decoded));
}

} // namespace pelmark
