// Design mode, every edit reported, and the keys the page has handled
// counted (a key's text lands with its keypress, other edits with keydown).
// Runs inside the page channel, which gives it "sink".
document.designMode = "on";
document.addEventListener("input", function () { window.tolvexEdited = true; sink.Post("input", "", null); }, true);
window.tolvexKeys = { down: 0, press: 0 };
window.addEventListener("keydown", function () { window.tolvexKeys.down++; }, true);
window.addEventListener("keypress", function () { window.tolvexKeys.press++; }, true);
