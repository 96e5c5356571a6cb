#pragma once

// The control's public methods in their fixed slot order, each written once: slot, name, kind,
// dispatch id, result (Variant, void or bool) and parameters. A parameter is a pair of its passing
// (`Ref`: a caller's variable; `Opt`: the same, which may be left out; `Dbl`: a number by value; `Enum`:
// a `TagEnum` in a caller's variable) and its name. From this list come the declarations of
// `VeltoraControl`, the member table the console and the meta-object test read, and the definitions of
// the Qt widget's methods. Qt's meta-object compiler reads no macro, so `widget/Veltora.h` spells the
// widget's declarations out; the compiler holds them to the definitions made here. The two properties
// (`Anzahl`, `GARTripPath`) stand in the member table and the widget's header as properties do.
#define PELMARK_METHODS(X0, X1, X2)                                                                          \
    X2(6, DiffExifTrackTime, Method, 0x60030006, Variant, Ref, ExifTime, Ref, TrackPointTime)                \
    X1(7, BildInBox, Method, 0x6003000D, void, Opt, PictureLoadPath)                                         \
    X1(8, OpenGarTrip, Method, 0x60030013, void, Ref, FileName)                                              \
    X0(9, PrintWayPointList, Method, 0x60030014, void)                                                       \
    X2(10, BinarWert, Method, 0x60030015, Variant, Dbl, WertDez, Ref, Length)                                \
    X0(11, SearchAllTrackFiles, Method, 0x60030016, Variant)                                                 \
    X0(12, ReferencePhoto, Method, 0x60030018, Variant)                                                      \
    X2(13, Wert, Method, 0x60030019, Variant, Ref, Binar, Opt, IIMM)                                         \
    X1(14, LoadPictures, Method, 0x6003001B, void, Opt, Pfad)                                                \
    X1(15, OpenFolder, Method, 0x6003001C, void, Opt, Pfad)                                                  \
    X1(16, FileExist, Method, 0x6003001F, bool, Ref, DateiName)                                              \
    X1(17, DatumSetzen, Method, 0x60030021, void, Ref, BildFile)                                             \
    X1(18, PhotoPath, ReadOnlyProperty, 0x68030003, Variant, Ref, PhotoNumber)                               \
    X1(19, PhotoName, ReadOnlyProperty, 0x68030002, Variant, Ref, PhotoNumber)                               \
    X0(20, PhotoCount, ReadOnlyProperty, 0x68030001, Variant)                                                \
    X0(21, FotoPrint, Method, 0x60030027, Variant)                                                           \
    X2(22, TagExif, ReadOnlyProperty, 0x68030000, Variant, Enum, TagKind, Opt, BildNr)

// How each passing is declared in the core.
#define PELMARK_PARAMETER_Ref(name) Variant& name
#define PELMARK_PARAMETER_Opt(name) Variant& name
#define PELMARK_PARAMETER_Enum(name) Variant& name
#define PELMARK_PARAMETER_Dbl(name) double name
