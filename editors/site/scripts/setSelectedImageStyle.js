// The style written back to the picture selectedImageStyle.js kept.
// A function: the caller appends its argument list.
(function (style) {
    var image = window.tolvexShadowImage;
    if (!image || !image.isConnected) return false;
    if (style) image.setAttribute("style", style); else image.removeAttribute("style");
    return true;
})
