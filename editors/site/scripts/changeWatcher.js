// Reports every change and click of an element to the change watcher.
// Listens in the capture phase, so that a page cannot hide an event from it.
// Runs inside the page channel, which gives it "sink".
function report(event) {
    var element = event.target;
    if (!element || !element.tagName)
        return;
    var type = element.getAttribute ? element.getAttribute("type") : null;
    sink.Post(event.type, element.tagName, type);
}
document.addEventListener("change", report, true);
document.addEventListener("click", report, true);
