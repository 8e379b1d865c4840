#pragma once

#include <QStringView>

namespace tallero {

// The import reports in Spanish and the window translates these exact texts
// for display, so every place that raises one takes it from here.
inline constexpr QStringView dxfNoEntitiesMessage =
    u"No se encontraron entidades geométricas válidas en el DXF.";
inline constexpr QStringView dxfNoDimensionsMessage = u"El DXF no tiene dimensiones válidas.";
inline constexpr QStringView dxfInvalidOutlineMessage =
    u"El contorno cerrado del DXF no se pudo convertir a una geometría válida.";

// A closed contour (the outline or a hole) that crosses or touches itself:
// a bow-tie, a figure eight. Its area would mean nothing, so the drawing is
// refused. %1 and %2 are the place the geometry engine found, in metres with
// three decimals, in the drawing's coordinates.
inline constexpr QStringView dxfSelfIntersectingContourMessage =
    u"Un contorno cerrado del DXF se cruza consigo mismo cerca de x = %1 m, y = %2 m.";

// A coordinate, bulge, radius, angle, ratio or parameter that is not finite or
// lies beyond dxfMaxMagnitude.
inline constexpr QStringView dxfInvalidNumbersMessage =
    u"El DXF contiene coordenadas no válidas o fuera de rango.";

// The file, or the points its curves become, would take more memory than an
// outline could ever need (see dxfMaxFileSize and dxfMaxPoints).
inline constexpr QStringView dxfTooLargeMessage = u"El DXF es demasiado grande para importarlo.";

// The path names a folder, a device or a pipe: reading it would either fail
// obscurely, block, or never end.
inline constexpr QStringView dxfNotAFileMessage =
    u"La ruta indicada no es un archivo DXF: es una carpeta o un dispositivo.";

// A DXF saved in binary form, which begins with its sentinel
// "AutoCAD Binary DXF", or a text saved as UTF-16: neither is read, and the
// user is told how to save the drawing so that it is.
inline constexpr QStringView dxfBinaryFormatMessage =
    u"El archivo es un DXF binario y no se puede leer. Guárdelo como DXF ASCII (UTF-8 o la página de códigos del dibujo).";
inline constexpr QStringView dxfUtf16Message =
    u"El archivo DXF está codificado en UTF-16 y no se puede leer. Guárdelo como DXF ASCII (UTF-8 o la página de códigos del dibujo).";

// Memory ran out while the drawing was read or its outline built.
inline constexpr QStringView dxfOutOfMemoryMessage =
    u"No hay memoria suficiente para importar el DXF.";

} // namespace tallero
