// "/webwin.js": the page half of the bridge, and the settings line that creates it for the window.
#include "frame/library_state.h"
#include "http_serving.h"

namespace webwin {
namespace {

// The bridge object of the page. Its WebSocket half (connection, token check, calls, scripts)
// arrives with the packet protocol; until then the page is never connected.
constexpr std::string_view kBridgeScript = R"JS('use strict';
if (typeof globalThis.WebwinBridge === 'undefined') {
  globalThis.WebwinBridge = class WebwinBridge {
    #settings;
    #connected = false;
    #logging = false;
    #allowNavigation = false;
    #eventCallback = null;
    constructor(settings) {
      if (globalThis.webwin instanceof WebwinBridge) {
        throw new Error('Sorry. Webwin is already defined, only one instance is allowed.');
      }
      this.#settings = Object.freeze({ ...settings });
      this.#logging = !!settings.log;
      document.addEventListener('keydown', (e) => {
        if (e.key === 'F5' && !this.#logging) e.preventDefault();
      });
      document.addEventListener('contextmenu', (e) => {
        const t = e.target;
        if (!(t instanceof HTMLInputElement || t instanceof HTMLTextAreaElement)) e.preventDefault();
      });
    }
    setLogging(on) { this.#logging = !!on; }
    setEventCallback(callback) { this.#eventCallback = typeof callback === 'function' ? callback : null; }
    isConnected() { return this.#connected; }
    allowNavigation(on) { this.#allowNavigation = !!on; }
    encode(text) {
      const bytes = new TextEncoder().encode(String(text));
      let binary = '';
      for (const b of bytes) binary += String.fromCharCode(b);
      return btoa(binary);
    }
    decode(base64) {
      const binary = atob(String(base64));
      const bytes = new Uint8Array(binary.length);
      for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
      return new TextDecoder().decode(bytes);
    }
  };
}
)JS";

}  // namespace

std::string bridgeScript(WebwinWindow &window) {
    Guard guard(lockOf(bind_lock));
    // A single-client window whose page is connected gives no second page its token.
    if (!state().multi_client && windowConnected(window)) return {};
    std::string text(kBridgeScript);
    text += "\n document.addEventListener(\"DOMContentLoaded\",function(){ globalThis.webwin = new WebwinBridge({ "
            "secure: false, token: " + std::to_string(window.token) + ", port: " + std::to_string(window.port) +
            ", log: false, customWindowDrag: false, ";
    if (window.size_set) {
        text += "winW: " + std::to_string(window.width) + ", winH: " + std::to_string(window.height) + ", ";
    }
    if (window.position_set) text += "winX: " + std::to_string(window.x) + ", winY: " + std::to_string(window.y) + ", ";
    text += "});});";
    return text;
}

}  // namespace webwin

