#pragma once

#include <QPoint>

// Where the end-to-end tests click: points of the program's 1024 x 640
// window in the shipped layout, with the shipped profile 1 (four of eight
// DPI stages, a colourful mouse).
namespace WindowLayout {

constexpr int width = 1024;
constexpr int height = 640;

// Title bar: the close button (to the tray) and the profile list, whose
// rows are 24 high from y 48.
constexpr QPoint windowClose(992, 24);
constexpr QPoint titleList(830, 24);
constexpr QPoint titleRow(int row)
{
    return {titleList.x(), 48 + 24 * row};
}

// Bottom bar.
constexpr QPoint configButton(808, 620); // the profiles page
constexpr QPoint resetButton(888, 620);
constexpr QPoint saveButton(968, 620);
constexpr QPoint resetOk(669, 349);

// Left column: the report-rate list (rows 24 high from y 479, 125 Hz
// first) and the entries of the system settings panel and the macro editor.
constexpr QPoint reportRateList(180, 455);
constexpr QPoint reportRateRow(int row)
{
    return {reportRateList.x(), 479 + 24 * row};
}
constexpr QPoint systemEntry(140, 496);
constexpr QPoint macroEntry(120, 402);

// The badges of the buttons on the mouse picture, which open the key dialog.
constexpr QPoint badge3(494 + 18, 124 + 18);
constexpr QPoint badge4(490 + 18, 214 + 18);
constexpr QPoint badge5(367 + 18, 254 + 18);

// DPI page: the active-stage list (rows 24 high below it: row n holds n
// stages) and stage 2's knob, which stands at 12 of 158 for 800 dpi of
// 200..12000; 60 pixels up it stands at 72: (72 - 3) * 11800 / 158 + 200 =
// 5353, stored as 5300.
constexpr QPoint stageCountList(928, 76);
constexpr QPoint stageCountRow(int stages)
{
    return {stageCountList.x(), stageCountList.y() + 24 * stages};
}
constexpr QPoint stage2Knob(864, 256);
constexpr QPoint stage2Dragged(864, 196);

// Lighting page: the effect list and its entry "Wave" (effect 5); block 1's
// knob on the hue bar, red (0) at first: 105 pixels along it is segment 3,
// f = 127 -> 0, 128, 255.
constexpr QPoint effectList(900, 340);
constexpr QPoint waveEntry(900, 484);
constexpr QPoint hueKnob(792, 456);
constexpr QPoint hueKnobMoved(897, 456);

// The key dialog opens centred; its body starts 41 below its top and scrolls.
constexpr int dialogX = (width - 416) / 2;
constexpr int dialogY = (height - 404) / 2;
constexpr int bodyY = dialogY + 41;
constexpr QPoint dialogClose(dialogX + 416 - 24, dialogY + 20);
constexpr QPoint combinationBox(dialogX + 16 + 20, bodyY + 244 + 12);
constexpr QPoint combinationConfirm(dialogX + 16 + 196 + 8, bodyY + 244 + 12);
constexpr QPoint mediaBox(dialogX + 16 + 30, bodyY + 312 + 12);
// "Volume+": the media grid's third row (rows 24 high below the box) once
// the body has scrolled the grid 48 up into view.
constexpr QPoint volumeUp(dialogX + 16 + 30, bodyY + 312 + 24 + 2 * 24 - 48 + 12);

// The system settings panel: its close button and the pointer-speed knob
// of profile 1 (level 5; 40 pixels right is level 7).
constexpr QPoint systemClose(696, 184);
constexpr QPoint speedKnob(512, 253);

// The macro editor opens centred at (192, 96).
constexpr int editorX = 192;
constexpr int editorY = 96;
constexpr QPoint macroNew(editorX + 48, editorY + 420);
constexpr QPoint macroDelete(editorX + 152, editorY + 420);
constexpr QPoint macroRecord(editorX + 250, editorY + 420);
constexpr QPoint macroRepeat(editorX + 386, editorY + 420);
constexpr QPoint macroDelayCheck(editorX + 438, editorY + 420);
constexpr QPoint firstMacro(editorX + 60, editorY + 85);
constexpr QPoint editorClose(editorX + 640 - 24, editorY + 20);

// The profiles page: its buttons, its close button and its list, whose rows
// are 27 high from y 241 (middles).
constexpr QPoint profileNew(352, 432);
constexpr QPoint profileImport(432, 432);
constexpr QPoint profilePrograms(523, 432);
constexpr QPoint profileClose(696, 196);
constexpr QPoint profileRow(int row)
{
    return {400, 241 + 27 * row};
}

} // namespace WindowLayout
