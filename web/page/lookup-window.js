// The lookup window as in the Kobal program: the number field, 検索 (and Enter), the read-only
// result line, the number selected again after each search; ヘルプ (and F1) opens the help page,
// バージョン情報 shows the window's About text.
import aboutText from "kobal-about-text";

const HELP_PAGE = "help/index.html";

export class LookupWindow {
  constructor(engine) {
    this.engine = engine;
    this.number = document.getElementById("number");
    this.result = document.getElementById("result");
    this.aboutBox = document.getElementById("about-box");

    document.getElementById("lookup-form").addEventListener("submit", (event) => {
      event.preventDefault();
      this.search();
    });
    // Enter in the result line searches too, as the window's default button does.
    this.result.addEventListener("keydown", (event) => {
      if (event.key === "Enter" && !event.isComposing) {
        event.preventDefault();
        this.search();
      }
    });
    document.getElementById("about-command").addEventListener("click", () => this.showAbout());
    document.getElementById("about-text").textContent = aboutText;
    // F1 and the mnemonics: Alt+S 検索(S), Alt+H ヘルプ(H), Alt+A バージョン情報(A).
    const commands = {
      F1: () => this.openHelp(),
      "Alt+KeyS": () => this.search(),
      "Alt+KeyH": () => this.openHelp(),
      "Alt+KeyA": () => this.showAbout(),
    };
    document.addEventListener("keydown", (event) => {
      if (event.ctrlKey || event.shiftKey || event.metaKey || this.aboutBox.open) return;
      const command = commands[event.altKey ? `Alt+${event.code}` : event.key];
      if (command === undefined) return;
      event.preventDefault(); // the browser's own help or menu
      command();
    });
  }

  openHelp() {
    window.open(HELP_PAGE, "_blank", "noopener");
  }

  // The number as written goes through the normaliser; what is not one number gets the answer
  // for no number, as in kobal-lookup.
  search() {
    try {
      const digits = this.engine.normalise(this.number.value);
      this.result.value = this.engine.detectCarrier(digits ?? "");
    } catch (error) {
      this.result.value = `調べられませんでした: ${error.message}`; // e.g. no memory for the text
    }
    this.result.scrollLeft = 0; // an answer wider than the line shows its beginning
    this.number.focus();
    this.number.select();
  }

  showAbout() {
    this.aboutBox.showModal();
  }
}
