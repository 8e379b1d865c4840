#pragma once

// The messages the cutting plan engine throws, in Spanish, the language the
// engine speaks. They are named here so the window can recognise each one
// and show it in the user's language.

namespace tallero::engineerrors {

// A cut piece is larger than the sheet in every rotation.
inline constexpr char pieceDoesNotFit[] = "Un recorte no cabe en la plancha configurada.";

// A cut piece found no admissible position even on a new, empty sheet.
inline constexpr char pieceNotPlaced[] = "No se pudo ubicar un recorte en una plancha.";

// Sheet width or height not a positive finite number, or clearance negative
// or not finite.
inline constexpr char invalidSheetMeasures[] =
    "Las medidas de la plancha o la holgura no son válidas.";

// The outline has no usable area or its bounds are not finite.
inline constexpr char invalidOutline[] = "El contorno del plano está vacío o no es válido.";

// The sheet grid over the outline would have more positions than any real
// job needs, which means the sheet measures are wrong for this drawing.
inline constexpr char gridTooLarge[] =
    "La cuadrícula de planchas es demasiado grande para el contorno: revisa las medidas de la plancha.";

// The sheet grid would hold more sheets than any real floor
// (maximumRealGridPositions): the drawing is almost always in millimetres
// while the sheets are typed in metres.
inline constexpr char gridLargerThanAnyFloor[] =
    "La cuadrícula tendría más de cien mil planchas, más que cualquier obra real: revisa las unidades del plano (¿está dibujado en milímetros?) y las medidas de la plancha.";

// The sheet grid would cut the outline into more pieces than any real floor
// gives (maximumCutPieces): sheets far too small for the drawing, or an
// outline riddled with holes. Nesting them all would keep the engine busy
// for minutes.
inline constexpr char tooManyCutPieces[] =
    "La plancha cortaría el contorno en demasiados recortes: revisa las medidas de la plancha y los huecos del plano.";

// The cut pieces are so small next to the sheet that hundreds would share
// one cutting sheet (maximumPiecesPerSheet): the sheet measures or the
// drawing's units are wrong.
inline constexpr char cutPiecesTooSmall[] =
    "Los recortes son tan pequeños frente a la plancha que cientos irían en una sola: revisa las medidas de la plancha y las unidades del plano.";

// The geometry engine failed on an operation the plan depends on (a clip, an
// overlap test, a union, a measure). Going on would give a plan with pieces
// missing or overlapping, so the plan is abandoned instead.
inline constexpr char geometryOperationFailed[] =
    "El motor geométrico falló en una operación del plan; el plan no se puede calcular.";

} // namespace tallero::engineerrors
