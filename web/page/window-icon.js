// The window's icon (app/resources/icons/kobal.svg), embedded by the build as a data: URL. The
// page's policy allows images of that kind only: on file://, 'self' would let the page load any
// local file.
import iconUrl from "kobal-icon";

// Shows the icon in the window's caption and as the page's own icon.
export function showWindowIcon() {
  document.getElementById("window-icon").src = iconUrl;
  document.getElementById("page-icon").href = iconUrl;
}
