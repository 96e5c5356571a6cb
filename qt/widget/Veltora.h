#pragma once

#include <QVariant>
#include <QWidget>
#include <memory>

namespace pelmark {

class Platform;
class VeltoraControl;

// The photo geotagging control as a Qt widget. Its meta-object lists the public members in their
// fixed order: the properties `Anzahl` and `GARTripPath`, then the invokable methods, so a Qt host or
// script can reach each by name.
//
// Values are QVariants: invalid = empty, double = number, QString = text (one character per byte,
// U+0000..U+00FF), bool = Boolean, `missing()` = an optional argument left out. Parameters passed by
// reference are the caller's variables: a member may write to them (`OpenFolder` leaves the folder
// path in `Pfad`). Through the meta-object they are passed as Q_ARG(QVariant&, variable); an argument
// is written back only when the member changed it. A failure reaches the caller as pelmark::PelmarkError.
class Veltora : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QVariant Anzahl READ Anzahl WRITE setAnzahl NOTIFY AnzahlChanged)
    // The user's stored path: a form that set it at design time would overwrite every user's choice.
    Q_PROPERTY(
        QVariant GARTripPath READ GARTripPath WRITE setGARTripPath NOTIFY GARTripPathChanged DESIGNABLE false)

public:
    // A control on the real platform: Qt's dialogs, the user's settings store, the real file system.
    explicit Veltora(QWidget* parent = nullptr);
    // A control on the given platform, which must outlive it.
    explicit Veltora(Platform& platform, QWidget* parent = nullptr);
    ~Veltora() override;

    // The value that stands for an optional argument left out.
    static QVariant missing();

    QVariant Anzahl() const;
    void setAnzahl(const QVariant& value);
    QVariant GARTripPath() const;
    void setGARTripPath(const QVariant& value);

    Q_INVOKABLE QVariant DiffExifTrackTime(QVariant& ExifTime, QVariant& TrackPointTime);
    Q_INVOKABLE void BildInBox(QVariant& PictureLoadPath);
    Q_INVOKABLE void OpenGarTrip(QVariant& FileName);
    Q_INVOKABLE void PrintWayPointList();
    Q_INVOKABLE QVariant BinarWert(double WertDez, QVariant& Length);
    Q_INVOKABLE QVariant SearchAllTrackFiles();
    Q_INVOKABLE QVariant ReferencePhoto();
    Q_INVOKABLE QVariant Wert(QVariant& Binar, QVariant& IIMM);
    Q_INVOKABLE void LoadPictures(QVariant& Pfad);
    Q_INVOKABLE void OpenFolder(QVariant& Pfad);
    Q_INVOKABLE bool FileExist(QVariant& DateiName);
    Q_INVOKABLE void DatumSetzen(QVariant& BildFile);
    Q_INVOKABLE QVariant PhotoPath(QVariant& PhotoNumber);
    Q_INVOKABLE QVariant PhotoName(QVariant& PhotoNumber);
    Q_INVOKABLE QVariant PhotoCount();
    Q_INVOKABLE QVariant FotoPrint();
    Q_INVOKABLE QVariant TagExif(QVariant& TagKind, QVariant& BildNr);

    // The control without its widgets, for hosts that work with the core's own values.
    VeltoraControl& control();

signals:
    // After any change, by the host, a member or the user (a track load sets `Anzahl`).
    void AnzahlChanged();
    void GARTripPathChanged();

private:
    class Announce;
    void watchProperties();
    void announceChanges();

    struct Private;
    std::unique_ptr<Private> d_;
};

} // namespace pelmark
